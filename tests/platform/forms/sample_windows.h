#pragma once

#include <QString>
#include <string>
#include <vector>

#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/forms.h"
#include "platform/forms/image.h"
#include "platform/forms/input.h"
#include "platform/forms/label.h"
#include "platform/forms/list_box.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"

namespace forms_test {

using EventLog = std::vector<std::string>;

inline std::string describe(const char* name, std::initializer_list<double> args) {
    std::string text = std::string(name) + "(";
    bool first = true;
    for (double arg : args) {
        if (!first) text += ",";
        text += QString::number(arg).toStdString();
        first = false;
    }
    return text + ")";
}

// A small table window, 400 x 300 pixels: a pixel-scaled table picture holding a hand of card
// images and a name label, and in twips on the window a chat line, a message list and a drag
// bar. Every event is written to the log.
class TableWindow : public forms::Form {
  public:
    TableWindow(forms::Forms& forms, EventLog& log) : Form(forms), log_(log) {
        move(0, 0, 6000, 4500);
        Pic1.move(0, 0, 6000, 3000);  // 400 x 200 pixels
        Pic1.setScaleMode(forms::ScaleMode::Pixels);
        cardImage0[0].move(100, 100, 40, 60);
        Nid.move(10, 10, 80, 20);
        Chat.move(150, 3300, 3000, 450);
        Sysmsg.move(3300, 3300, 2400, 1050);
        LbMove.move(0, 4200, 6000, 300);

        cardImage0.onMouseDown = [this](int i, int b, int s, float x, float y) {
            log_.push_back(
                describe("cardImage0_MouseDown", {double(i), double(b), double(s), x, y}));
        };
        cardImage0.onMouseMove = [this](int i, int b, int s, float x, float y) {
            log_.push_back(
                describe("cardImage0_MouseMove", {double(i), double(b), double(s), x, y}));
        };
        cardImage0.onMouseUp = [this](int i, int b, int s, float x, float y) {
            log_.push_back(describe("cardImage0_MouseUp", {double(i), double(b), double(s), x, y}));
        };
        cardImage0.onClick = [this](int i) {
            log_.push_back(describe("cardImage0_Click", {double(i)}));
        };
        cardImage0.onDblClick = [this](int i) {
            log_.push_back(describe("cardImage0_DblClick", {double(i)}));
        };
        Pic1.onMouseDown = [this](int b, int s, float x, float y) {
            log_.push_back(describe("Pic1_MouseDown", {double(b), double(s), x, y}));
        };
        Pic1.onKeyDown = [this](int& k, int s) {
            log_.push_back(describe("Pic1_KeyDown", {double(k)}));
        };
        Nid.onMouseDown = [this](int b, int s, float x, float y) {
            log_.push_back(describe("Nid_MouseDown", {double(b), double(s), x, y}));
        };
        Chat.onKeyDown = [this](int& k, int s) {
            log_.push_back(describe("Chat_KeyDown", {double(k)}));
        };
        Chat.onKeyPress = [this](int& k) {
            log_.push_back(describe("Chat_KeyPress", {double(k)}));
            if (k == 'x') k = 0;    // swallowed
            if (k == 'q') k = 'Q';  // replaced
        };
        Chat.onKeyUp = [this](int& k, int s) {
            log_.push_back(describe("Chat_KeyUp", {double(k)}));
        };
        Chat.onChange = [this] {
            log_.push_back("Chat_Change(" + Chat.text().toStdString() + ")");
        };
        Chat.onGotFocus = [this] { log_.push_back("Chat_GotFocus"); };
        Chat.onLostFocus = [this] { log_.push_back("Chat_LostFocus"); };
        Sysmsg.onClick = [this] {
            log_.push_back(describe("Sysmsg_Click", {double(Sysmsg.listIndex())}));
        };
        LbMove.onMouseDown = [this](int b, int s, float x, float y) {
            log_.push_back("LbMove_MouseDown");
            if (b == forms::kLeftButton) beginMoveByMouse();
        };
        LbMove.onMouseUp = [this](int, int, float, float) { log_.push_back("LbMove_MouseUp"); };
        LbMove.onClick = [this] { log_.push_back("LbMove_Click"); };
    }

    forms::PictureBox Pic1{*this, "Pic1"};
    forms::ControlArray<forms::Image> cardImage0{Pic1, "cardImage0"};
    forms::Label Nid{Pic1, "Nid"};
    forms::TextBox Chat{*this, "Chat"};
    forms::ListBox Sysmsg{*this, "Sysmsg"};
    forms::Label LbMove{*this, "LbMove"};
    bool swallowKeysInPreview = false;

  protected:
    void Form_Load() override { log_.push_back("Form_Load"); }
    void Form_KeyDown(int& keyCode, int shift) override {
        log_.push_back(describe("Form_KeyDown", {double(keyCode)}));
        if (swallowKeysInPreview) keyCode = 0;
    }
    void Form_KeyPress(int& keyAscii) override {
        log_.push_back(describe("Form_KeyPress", {double(keyAscii)}));
    }
    void Form_MouseDown(int b, int s, float x, float y) override {
        log_.push_back(describe("Form_MouseDown", {double(b), double(s), x, y}));
    }
    void Form_Click() override { log_.push_back("Form_Click"); }

  private:
    EventLog& log_;
};

}  // namespace forms_test
