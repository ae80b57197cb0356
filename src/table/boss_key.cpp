#include "table/boss_key.h"

#include "client/client.h"
#include "client/main_form.h"

namespace table {

namespace {
constexpr int kKeyF1 = 112;
}

void PressBossKey(client::Client& c) {
    int keyCode = kKeyF1;
    c.MainForm->Pic1_KeyDown(keyCode, 0);
}

}  // namespace table
