#include "dispatch/wealth_display.h"

#include "client/client.h"
#include "client/main_form.h"

namespace dispatch {

std::int32_t MinWealthMultiplier(const client::Client& c) {
    std::int32_t smallest = 0;
    for (const std::int32_t multiplier : c.s.g_aSeatBeishu) {
        if (multiplier > 0 && (smallest == 0 || multiplier < smallest)) smallest = multiplier;
    }
    return smallest;
}

void ShowWealthMultiplier(client::Client& c, std::int32_t value) {
    auto& form = *c.MainForm;
    const float sx = c.s.g_fScaleX;
    const float sy = c.s.g_fScaleY;
    const bool fullSize = sx >= 1.0f;
    // Three digits take the smaller font, moved left to stay on the picture.
    const bool wide = value >= 100;
    form.lbwealth.setCaption(QString::number(value));
    form.lbwealth.setFontSize(wide ? 13 : 18);
    if (fullSize) {
        form.lbwealth.setLeft((wide ? 58 : 62) * sx);
        form.lbwealth.setTop((wide ? 507 : 505) * sy);
    } else {
        form.lbwealth.setLeft((wide ? 72 : 74) * sx);
        form.lbwealth.setTop((wide ? 497 : 491) * sy);
    }
    form.Imgwealth.setVisible(true);
    form.lbwealth.setVisible(true);
}

}  // namespace dispatch
