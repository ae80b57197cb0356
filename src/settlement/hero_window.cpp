#include "settlement/hero_window.h"

#include <array>

#include "client/client.h"
#include "connection/dialog_look.h"
#include "settlement/hand_history.h"
#include "settlement/translucency.h"

namespace settlement {

namespace {

namespace design = resources::design;

constexpr float ClientWidth = 9825;
constexpr float ClientHeight = 6810;
constexpr float ListsTop = 1080;
constexpr float ListsHeight = 4650;
constexpr std::array<float, 4> GradeLefts = {2040, 3960, 5880, 7920};
constexpr std::array<float, 4> IdLefts = {2640, 4560, 6480, 8520};
constexpr std::array<float, 4> TotalLefts = {2160, 4080, 6000, 8040};
constexpr int LeftButton = 1;

void StyleLabel(forms::Label& label, float points) {
    label.setTransparent(true);
    label.setFontSize(points);
    label.setFontBold(true);
    label.setForeColor(forms::kWhite);
}

// Puts a list's selection and scroll position on another list; a list without that line
// keeps what it has.
void Follow(forms::ListBox& list, const forms::ListBox& leader) {
    if (leader.listIndex() < list.listCount()) list.setListIndex(leader.listIndex());
    if (leader.topIndex() < list.listCount()) list.setTopIndex(leader.topIndex());
}

}  // namespace

Hero::Hero(forms::Forms& forms, client::Client& client) : Form(forms), c(client) {
    setCaption(QStringLiteral("英雄榜"));
    connection::DressDialog(*this, design::kHeroBoard);
    setWidth(ClientWidth);
    setHeight(ClientHeight);
    Num.move(120, ListsTop, 1815, ListsHeight);
    Num.setFontSize(10.5f);
    Num.setFontBold(true);
    for (int i = 0; i < 4; ++i) {
        const auto k = std::size_t(i);
        Grade[i].move(GradeLefts[k], ListsTop, i == 2 ? 1935 : 1815, ListsHeight);
        Grade[i].setFontSize(10.5f);
        Grade[i].setFontBold(true);
        Tou[i].setStretch(true);
        Tou[i].move(GradeLefts[k], 360, 615, 615);
        ID[i].move(IdLefts[k], 480, 570, 210);
        StyleLabel(ID[i], 10.5f);
        sunScore[i].move(TotalLefts[k], 6120, 1695, 375);
        StyleLabel(sunScore[i], 12);
    }
    Label1.move(720, 480, 615, 210);
    StyleLabel(Label1, 10.5f);
    Label1.setCaption(QStringLiteral("局 数"));
    Label2.move(480, 6120, 1455, 375);
    StyleLabel(Label2, 12);
    Label2.setCaption(QStringLiteral("输赢总分："));
    Image1[0].move(9000, 120, 375, 255);
    Image1[1].move(9360, 120, 375, 255);
    Image1.onClick.bind(this, &Hero::Image1_Click);
    Num.onClick.bind(this, &Hero::Num_Click);
    Num.onDblClick.bind(this, &Hero::Num_DblClick);
    Grade.onClick.bind(this, &Hero::Grade_Click);
    Grade.onDblClick.bind(this, &Hero::Grade_DblClick);
}

void Hero::Form_Load() {
    MakeTranslucentWhereLayered(*this);
    connection::CentreOverTable(c, *this);
    for (int i = 0; i < 4; ++i) {
        if (Grade[i].listCount() > 0) Grade[i].setTopIndex(Grade[i].listCount() - 1);
    }
}

void Hero::Form_MouseDown(int button, int, float, float) {
    if (button == LeftButton) beginMoveByMouse();
}

void Hero::Image1_Click(int) {
    hide();
}

void Hero::Num_Click() {
    for (int i = 0; i < 4; ++i) Follow(Grade[i], Num);
}

void Hero::Grade_Click(int Index) {
    Follow(Num, Grade[Index]);
    for (int i = 0; i < 4; ++i) {
        if (i != Index) Follow(Grade[i], Grade[Index]);
    }
}

void Hero::Num_DblClick() {
    OpenHandInScoreBoard(c, Num.listIndex() + 1);
}

void Hero::Grade_DblClick(int Index) {
    OpenHandInScoreBoard(c, Grade[Index].listIndex() + 1);
}

}  // namespace settlement
