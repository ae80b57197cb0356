#pragma once

#include "platform/forms/color.h"
#include "platform/forms/control.h"
#include "platform/forms/font.h"

namespace forms {

// What labels, text boxes and list boxes share: a font and two colours.
class TextControl : public Control {
  public:
    const FontSpec& font() const { return font_; }
    void setFont(const FontSpec& font);
    void setFontName(const QString& name);
    void setFontSize(float points);  // must be above 0
    void setFontBold(bool bold);
    const QString& fontName() const { return font_.name; }
    float fontSize() const { return font_.size; }
    bool fontBold() const { return font_.bold; }

    OleColor foreColor() const { return foreColor_; }
    void setForeColor(OleColor color);  // an invalid colour is a run-time failure
    OleColor backColor() const { return backColor_; }
    void setBackColor(OleColor color);

  protected:
    TextControl(Container& container, QString name, Windowed windowed, OleColor foreColor,
                OleColor backColor);
    void copyPropertiesFrom(const Control& source) override;
    // Called after the font changed (labels size themselves to their text).
    virtual void fontChanged() {}

  private:
    FontSpec font_;
    OleColor foreColor_;
    OleColor backColor_;
};

}  // namespace forms
