#pragma once

#include "platform/forms/text_control.h"

namespace forms {

enum class Alignment { Left = 0, Right = 1, Center = 2 };

// A label: a caption drawn in its font and colours; transparent (BackStyle 0) or opaque; with
// AutoSize it takes the size of its text.
class Label : public TextControl {
  public:
    Label(Container& container, QString name);

    ControlKind kind() const override { return ControlKind::Label; }

    const QString& caption() const { return caption_; }
    void setCaption(const QString& text);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment value);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool value);
    bool transparent() const { return transparent_; }
    void setTransparent(bool value);

  protected:
    void copyPropertiesFrom(const Control& source) override;
    void fontChanged() override { fitToText(); }

  private:
    void fitToText();

    QString caption_;
    Alignment alignment_ = Alignment::Left;
    bool autoSize_ = false;
    bool transparent_ = false;
};

}  // namespace forms
