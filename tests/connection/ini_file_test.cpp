#include "connection/ini_file.h"

#include <gtest/gtest.h>

#include "platform/text/gbk.h"
#include "support/temp_folder.h"

using connection::classIniFile;

namespace {

class IniFile : public TempFolderTest {
  protected:
    void write(const std::string& name, const std::string& gbkText) { writeFile(name, gbkText); }
    // Named as the client names its files: the program folder, "\" and the file name.
    classIniFile open(const QString& name) {
        classIniFile ini;
        ini.setINIFileName(QString::fromStdString(folder().string()) + "\\" + name);
        return ini;
    }
};

TEST_F(IniFile, ReadsCleanValuesAndEmptyForAnythingMissing) {
    write("v.ini", "[Video]\r\nvalue=  abc  \r\nname=" + platform::encodeGbk(u"张三"_qs) +
                       "\r\nlong=" + std::string(1500, 'y') + "\r\nquoted=\" \tabc\t \"\r\nwide=" +
                       platform::encodeGbk(u"\u3000abc\u3000"_qs) + "\r\n");
    classIniFile ini = open("v.ini");
    struct Case {
        QString section, key, expected;
    };
    for (const Case& c :
         {Case{"Video", "value", "abc"}, Case{"video", "VALUE", "abc"},
          Case{"Video", "name", u"张三"_qs}, Case{"Video", "missing", ""},
          // Only plain blanks are trimmed, not tabs or ideographic spaces.
          Case{"Video", "quoted", "\tabc\t"}, Case{"Video", "wide", u"\u3000abc\u3000"_qs},
          Case{"Nowhere", "value", ""}, Case{"Video", "long", QString(1023, u'y')}}) {
        EXPECT_EQ(ini.GetIniKey(c.section, c.key), c.expected) << c.key.toStdString();
    }
    EXPECT_EQ(open("absent.ini").GetIniKey("Video", "value"), "");
}

TEST_F(IniFile, WritesCreateWhatIsMissingAndDeletesRemove) {
    classIniFile ini = open("info.brm");
    ini.WriteIniKey("Hand1", "player", u"李四"_qs);
    ini.WriteIniKey("Hand1", "gold", "-120");
    ini.WriteIniKey("Hand2", "gold", "30");
    EXPECT_EQ(ini.GetIniKey("Hand1", "player"), u"李四"_qs);
    ini.DelIniKey("Hand1", "gold");
    EXPECT_EQ(ini.GetIniKey("Hand1", "gold"), "");
    EXPECT_EQ(ini.GetIniKey("Hand1", "player"), u"李四"_qs);
    ini.DelIniSec("Hand2");
    EXPECT_EQ(ini.GetIniKey("Hand2", "gold"), "");
}

TEST_F(IniFile, PathsJoinWithOneSeparatorAndInstancesKeepTheirOwnFile) {
    EXPECT_EQ(classIniFile::MakeIniPath("C:\\game\\\\", "\\chat.txt"), "C:\\game\\chat.txt");
    EXPECT_EQ(classIniFile::MakeIniPath("C:\\game", "chat.txt"), "C:\\game\\chat.txt");
    classIniFile a, b;
    a.setINIFileName("one.ini");
    b.SetIniPath("dir\\", "two.ini");
    EXPECT_EQ(a.INIFileName(), "one.ini");
    EXPECT_EQ(b.INIFileName(), "dir\\two.ini");
}

}  // namespace
