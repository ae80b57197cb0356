#pragma once

#include "platform/forms/text_control.h"

namespace forms {

// A one-line text box. Change is raised after every change of Text, whether typed or set by
// code; KeyPress runs before a typed character acts, and may change or swallow it.
class TextBox : public TextControl {
  public:
    TextBox(Container& container, QString name);

    ControlKind kind() const override { return ControlKind::TextBox; }

    const QString& text() const { return text_; }
    void setText(const QString& text);  // the caret goes to the start, as in the original
    int selStart() const { return selStart_; }
    void setSelStart(int position);  // clipped to the text; negative is a run-time failure
    int selLength() const { return selLength_; }
    void setSelLength(int length);
    // MaxLength: the most characters typing may make (0: no limit); code may set more.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length);
    bool locked() const { return locked_; }
    void setLocked(bool value);

    Event<> onChange;

  protected:
    void copyPropertiesFrom(const Control& source) override;
    void keyDownAction(int keyCode, int shift) override;
    void keyPressAction(int keyAscii) override;
    bool clicksOnRelease(int button) const override { return button == 1; }
    bool doubleClicks(int button) const override { return button == 1; }

  private:
    // Replaces the selection by `inserted` (typing); raises Change when the text changed.
    void replaceSelection(const QString& inserted);
    void changeText(const QString& text, int caret);

    QString text_;
    int selStart_ = 0;
    int selLength_ = 0;
    int maxLength_ = 0;
    bool locked_ = false;
};

}  // namespace forms
