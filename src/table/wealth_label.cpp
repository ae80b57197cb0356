#include "table/wealth_label.h"

#include "client/client.h"
#include "client/main_form.h"

namespace table {

namespace {

struct WealthLabelPlace {
    float fontSize;
    float left;
    float top;
};

// Three digits take a smaller font; the small layout has its own places.
WealthLabelPlace PlaceFor(float scaleX, int value) {
    const bool wide = value >= 100;
    if (scaleX >= 1.0f) return wide ? WealthLabelPlace{13, 58, 507} : WealthLabelPlace{18, 62, 505};
    return wide ? WealthLabelPlace{13, 72, 497} : WealthLabelPlace{18, 74, 491};
}

}  // namespace

int MinWealthMultiplier(const client::Client& c) {
    int smallest = 0;
    for (const std::int32_t value : c.s.g_aSeatBeishu) {
        if (value > 0 && (smallest == 0 || value < smallest)) smallest = value;
    }
    return smallest;
}

void ShowSeatsWealthMultiplier(client::Client& c) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    if (s.beishu == 0) {
        table.Imgwealth.setVisible(false);
        table.lbwealth.setVisible(false);
        return;
    }
    ShowWealthMultiplier(c, MinWealthMultiplier(c));
}

void ShowWealthMultiplier(client::Client& c, int value) {
    auto& s = c.s;
    auto& table = *c.MainForm;
    table.lbwealth.setCaption(QString::number(value));
    const WealthLabelPlace place = PlaceFor(s.g_fScaleX, value);
    table.lbwealth.setFontSize(place.fontSize);
    table.lbwealth.move(place.left * s.g_fScaleX, place.top * s.g_fScaleY);
    table.Imgwealth.setVisible(true);
    table.lbwealth.setVisible(true);
}

}  // namespace table
