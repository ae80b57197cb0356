#include "settlement/score_window.h"

#include "client/client.h"
#include "connection/dialog_look.h"
#include "settlement/translucency.h"

namespace settlement {

namespace {

namespace design = resources::design;

constexpr float ClientWidth = 9585;
constexpr float ClientHeight = 7200;
constexpr float ColumnStep = 2400;
constexpr int LeftButton = 1;

}  // namespace

Score::Score(forms::Forms& forms, client::Client& client) : Form(forms), c(client) {
    setCaption(QStringLiteral("战绩板"));
    connection::DressDialog(*this, design::kScoreBoard);
    setWidth(ClientWidth);
    setHeight(ClientHeight);
    for (int i = 0; i < 4; ++i) {
        const float left = 120 + ColumnStep * float(i);
        Tou[i].setStretch(true);
        Tou[i].move(left, 480, 675, 615);
        forms::Label& id = ID[i];
        id.move(840 + ColumnStep * float(i), 600, 570, 210);
        id.setTransparent(true);
        id.setFontSize(10.5f);
        id.setFontBold(true);
        id.setForeColor(forms::kWhite);
        id.setCaption(QStringLiteral("玩家%1").arg(i));
        State[i].move(left, 1320, 2175, 4890);
        State[i + 4].move(left, 6360, 2175, 750);
    }
    for (int j = 0; j < 8; ++j) {
        State[j].setFontSize(9);
        State[j].setFontBold(true);
    }
    Image1[0].move(8880, 120, 375, 375);
    Image1[1].move(9240, 120, 375, 375);
    for (int k = 0; k < 2; ++k) Image1[k].setStretch(true);
    Image1.onClick.bind(this, &Score::Image1_Click);
}

void Score::Form_Load() {
    MakeTranslucentWhereLayered(*this);
    setTopmost(true);
    connection::CentreOverTable(c, *this);
}

void Score::Form_MouseDown(int button, int, float, float) {
    if (button == LeftButton) beginMoveByMouse();
}

void Score::Image1_Click(int) {
    hide();
}

}  // namespace settlement
