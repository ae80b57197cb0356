// Start-up and shutdown of the table window.
#include "connection/client.h"
#include "connection/main_form.h"

namespace connection {

void MainForm::Form_Load() {}

void MainForm::Form_Activate() {}

void MainForm::Form_Resize() {}

void MainForm::Form_Unload(bool& cancel) { (void)cancel; }

void MainForm::DrawSkinFrame() {}

bool MainForm::Is_File_Exist(const QString& path, const QString& fileName) {
    (void)path;
    (void)fileName;
    return false;
}

}  // namespace connection
