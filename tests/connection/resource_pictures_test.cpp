// Pictures reach the controls through a temporary file in the program folder: written, loaded,
// deleted. A picture that is not there leaves the control alone; one that does not load leaves
// the control and the file alone.
#include "connection/resource_pictures.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "platform/forms/image.h"
#include "platform/forms/picture_box.h"
#include "platform/runtime/failure.h"
#include "resources/resource_store.h"
#include "support/client_harness.h"
#include "support/resource_images.h"

namespace {

namespace fs = std::filesystem;
using connection::IntegerArg;

constexpr std::int16_t kMissingId = 4999;

// A window with one control of each kind that takes resource pictures.
class PictureSheet : public forms::Form {
  public:
    explicit PictureSheet(forms::Forms& forms) : Form(forms) {}
    forms::Image Img{*this, "Img"};
    forms::PictureBox Box{*this, "Box"};
};

class ResourcePictures : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(resources::findResource("GIF", kMissingId).has_value());
        sheet.Img.setPicture(oldPicture);
        sheet.Box.setPicture(oldPicture);
    }

    fs::path programFolder() const { return harness.env.programFolder; }
    std::vector<fs::path> filesInProgramFolder() const {
        std::vector<fs::path> names;
        for (const auto& entry : fs::directory_iterator(programFolder()))
            names.push_back(entry.path().filename());
        return names;
    }
    // A temporary file that swallows what is written to it and reads back empty, which no
    // picture decoder accepts: the write succeeds and the load fails.
    fs::path unloadableTempFile(int id) {
        const fs::path file = programFolder() / ("tmp" + std::to_string(id) + ".GIF");
        fs::create_symlink("/dev/null", file);
        return file;
    }
    QString tempPath(int id) { return connection::TempPicturePath(c, id); }

    support::ClientHarness harness;
    client::Client& c = harness.make();
    PictureSheet& sheet = c.forms.create<PictureSheet>();
    const forms::Picture oldPicture{QImage(5, 5, QImage::Format_ARGB32_Premultiplied)};
};

TEST_F(ResourcePictures, TheTemporaryFileIsNamedAfterThePictureInTheProgramFolder) {
    EXPECT_EQ(tempPath(450), c.App_Path() + QStringLiteral("\\tmp450.GIF"));
    c.s.g_nResId = 450;
    const auto written = connection::WriteResourcePicture(c, tempPath(450));
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, programFolder() / "tmp450.GIF");
    EXPECT_EQ(
        QImage(platform::toQString(*written)).convertToFormat(QImage::Format_ARGB32_Premultiplied),
        support::decodedResource(450));
}

TEST_F(ResourcePictures, EveryKindOfPictureIsShownThroughAFileThatIsDeletedAfterwards) {
    struct Case {
        std::int16_t id;
        QSize size;
    };
    const Case cases[] = {
        {46, {92, 122}},   // a full card face
        {327, {72, 95}},   // a reduced one
        {18, {78, 103}},   // the card back
        {150, {48, 30}},   // a toolbar button
        {870, {175, 138}}  // JPEG data under the same type
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.id);
        EXPECT_TRUE(connection::ShowResourcePicture(c, test.id, sheet.Img));
        EXPECT_TRUE(connection::ShowResourcePicture(c, test.id, sheet.Box));
        EXPECT_EQ(c.s.g_nResId, test.id);
        EXPECT_EQ(sheet.Img.picture().size(), test.size);
        EXPECT_EQ(sheet.Box.picture().size(), test.size);
        EXPECT_EQ(sheet.Img.picture().image(), support::decodedResource(test.id));
        EXPECT_TRUE(filesInProgramFolder().empty());
    }
}

TEST_F(ResourcePictures, AMissingPictureLeavesTheControlAndMakesNoFile) {
    EXPECT_FALSE(connection::ShowResourcePicture(c, kMissingId, sheet.Img));
    EXPECT_FALSE(connection::ShowResourcePicture(c, kMissingId, sheet.Box));
    EXPECT_TRUE(sheet.Img.picture().sameAs(oldPicture));
    EXPECT_TRUE(sheet.Box.picture().sameAs(oldPicture));
    EXPECT_TRUE(filesInProgramFolder().empty());
}

TEST_F(ResourcePictures, APictureThatDoesNotLoadLeavesItsFileAndTheControlsPicture) {
    const fs::path file = unloadableTempFile(46);
    EXPECT_THROW(connection::ShowResourcePicture(c, 46, sheet.Img), platform::RuntimeFailure);
    EXPECT_TRUE(sheet.Img.picture().sameAs(oldPicture));
    EXPECT_TRUE(fs::is_symlink(file));

    EXPECT_FALSE(connection::LoadResourcePicture(c, 46, "GIF", tempPath(46), sheet.Img, 0, 3, 120));
    EXPECT_TRUE(sheet.Img.picture().sameAs(oldPicture));
    EXPECT_TRUE(fs::is_symlink(file));
    // Nothing after the failed load happened.
    EXPECT_EQ(sheet.Img.left(), 0);
    EXPECT_EQ(c.s.g_aJiaofenKind[0], 0);
}

TEST_F(ResourcePictures, LoadResourcePictureLoadsMovesAndRecordsTheKindUntilAFailure) {
    struct Case {
        const char* name;
        IntegerArg resId;
        std::int16_t idx;
        std::optional<IntegerArg> state;
        std::optional<IntegerArg> leftPos;
        bool result;
        int shownId;                       // 0: the control keeps its picture
        float left;                        // 0: not moved
        std::optional<std::int16_t> kind;  // recorded at idx
    };
    const Case cases[] = {
        {"picture only", 430, 0, {}, {}, true, 430, 0, {}},
        {"table text, kind and left", QString("446"), 1, 9, 520, true, 446, 520, 9},
        {"left rounds half to even", 430, 0, {}, 342.5f, true, 430, 342, {}},
        {"reduced left", 430, 0, {}, 440 * 0.78125f, true, 430, 344, {}},
        {"kind from text", 430, 10, QString("2"), {}, true, 430, 0, 2},
        {"missing picture still moves and records", kMissingId, 0, 1, 440, true, 0, 440, 1},
        {"index without a kind is not used", 430, 11, {}, 100, true, 430, 100, {}},
        {"index above 10 with a kind fails after the load", 430, 11, 1, 100, false, 430, 100, {}},
        {"negative index with a kind fails after the load", 430, -1, 1, {}, false, 430, 0, {}},
        {"empty table entry", QString(), 0, 1, 100, false, 0, 0, {}},
        {"id beyond an Integer", 70000, 0, 1, 100, false, 0, 0, {}},
        {"left beyond an Integer", 430, 0, 1, 40000.0, false, 430, 0, {}},
        {"kind that is no number", 430, 0, QString("x"), 100, false, 430, 100, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        sheet.Img.setPicture(oldPicture);
        sheet.Img.move(0);
        c.s.g_aJiaofenKind.fill(0);

        EXPECT_EQ(connection::LoadResourcePicture(c, test.resId, "GIF", tempPath(430), sheet.Img,
                                                  test.idx, test.state, test.leftPos),
                  test.result);
        if (test.shownId == 0) {
            EXPECT_TRUE(sheet.Img.picture().sameAs(oldPicture));
        } else {
            EXPECT_EQ(sheet.Img.picture().image(), support::decodedResource(test.shownId));
        }
        EXPECT_EQ(sheet.Img.left(), test.left);
        std::array<std::int16_t, 11> kinds{};
        if (test.kind) kinds[std::size_t(test.idx)] = *test.kind;
        EXPECT_EQ(c.s.g_aJiaofenKind, kinds);
        EXPECT_TRUE(filesInProgramFolder().empty());
    }
}

}  // namespace
