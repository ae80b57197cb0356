#include "settlement/information_window.h"

#include <array>

#include "client/client.h"
#include "connection/dialog_look.h"
#include "settlement/translucency.h"

namespace settlement {

namespace {

constexpr float ClientWidth = 3300;
constexpr float ClientHeight = 4965;
constexpr float FirstRowTop = 600;
constexpr float RowStep = 480;
constexpr float ValueLeft = 1920;

}  // namespace

Information::Information(forms::Forms& forms, client::Client& client) : Form(forms), c(client) {
    connection::DressDialog(*this, resources::design::kInformationCard);
    setWidth(ClientWidth);
    setHeight(ClientHeight);
    const std::array<forms::Label*, 9> captions = {&Label1, &Label2, &Label3, &Label4, &Label5,
                                                   &Label6, &Label7, &Label8, &Label9};
    const std::array<QString, 9> texts = {
        QStringLiteral("玩家昵称"), QStringLiteral("性    别"), QStringLiteral("所 在 地"),
        QStringLiteral("积    分"), QStringLiteral("信 用 度"), QStringLiteral("登录次数"),
        QStringLiteral("掉线次数"), QStringLiteral("胜场次数"), QStringLiteral("败场次数")};
    for (std::size_t r = 0; r < captions.size(); ++r) {
        forms::Label& caption = *captions[r];
        const float top = FirstRowTop + RowStep * float(r);
        caption.move(r == 0 ? 330 : 360, top, 1260, 285);
        caption.setTransparent(true);
        caption.setFontSize(14.25f);
        caption.setFontBold(true);
        caption.setForeColor(forms::kWhite);
        caption.setCaption(texts[r]);
        forms::Label& value = Inf[int(r)];
        value.move(ValueLeft, top, 1020, 225);
        value.setForeColor(forms::kWhite);
    }
}

void Information::Form_Load() {
    MakeTranslucentWhereLayered(*this);
    for (int r = 0; r < 9; ++r) {
        Inf[r].setAutoSize(true);
        Inf[r].setFontSize(12);
        Inf[r].setTransparent(true);
    }
}

}  // namespace settlement
