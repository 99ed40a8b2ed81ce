// Internet 选项 as a person uses it, and what the Tools menu says on a desktop without the
// programs it starts; on fake services.
#include "core/modMain.h"
#include "platform/QtProcessLauncher.h"
#include "tests/support/FakeServices.h"
#include "tests/support/ModalAnswers.h"
#include "tools/ExternalTools.h"
#include "tools/InternetOptionsDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

namespace {

class ToolsMenuTest : public BrowserFixture {
protected:
    InternetOptionsDialog::Setup setup() {
        return {kStartPage, QString(), userReg, &options, &boxes, {}};
    }
    template <typename T> static T* field(QWidget* dialog, const char* name) {
        return dialog->findChild<T*>(QLatin1String(name));
    }
    const QString userReg = folder.path() + "/user.reg";
};

// The field shows the start page; each button fills it in; 删除 clears the traces after its
// question; 确定 writes the start page into user.reg (a host GBK cannot hold in its xn-- form)
// and the next window and Home go there; 取消 writes nothing at all.
TEST_F(ToolsMenuTest, StartPageFromTheDialogToTheNextWindow) {
    frmMain* window = openWindow();
    page(window)->locationUrl = "http://127.0.0.1/%E5%BD%93%E5%89%8D/%ED%95%9C"; // 当前/한
    urlCache.entries = {"http://a/"};
    boxes.answers = {true};
    QStringList seen;
    ModalAnswers answers({[&](QWidget* dialog) {
        auto* startPage = field<QLineEdit>(dialog, "startPage");
        seen << startPage->text();
        for (const char* button : {"使用默认页(F)", "使用空白页(B)", "使用当前页(C)"}) {
            ModalAnswers::click(dialog, button);
            seen << startPage->text();
        }
        ModalAnswers::click(dialog, "删除(D)...");
        startPage->setText(" http://한국.kr/ ");
        ModalAnswers::click(dialog, "确定");
    }});
    window->mnuMainToolInternetOption->trigger();
    EXPECT_EQ(seen, (QStringList{kStartPage, kDefaultStartPage, "about:blank",
                                 "http://127.0.0.1/当前/%ED%95%9C"})); // as it is kept
    EXPECT_TRUE(urlCache.entries.isEmpty());
    EXPECT_EQ(boxes.shown.value(0).text, "确实要删除所有IE记录吗？");
    const QString written = "http://xn--3e0b707e.kr/";
    EXPECT_EQ(readFileBytes(userReg),
              "REGEDIT4\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Internet "
              "Explorer\\Main]\r\n\"Start Page\"=\"" +
                  written.toLatin1() + "\"\r\n");
    EXPECT_EQ(gstrStartPage, written);
    EXPECT_TRUE(page(openWindow())->calls.contains("Navigate:" + written));

    const QByteArray before = readFileBytes(userReg);
    ModalAnswers cancel({[](QWidget* dialog) {
        field<QLineEdit>(dialog, "startPage")->setText("http://other.example/");
        field<QSpinBox>(dialog, "zoom")->setValue(200);
        ModalAnswers::click(dialog, "取消");
    }});
    window->mnuMainToolInternetOption->trigger();
    EXPECT_EQ(cancel.answered(), 1);
    EXPECT_EQ(readFileBytes(userReg), before);
    EXPECT_FALSE(QFile::exists(options.fileName()));
}

// A blank start page is stored as one of the person's own, so the next window is blank; the
// value "about:blank" would stand for none and bring the default page.
TEST_F(ToolsMenuTest, ABlankStartPageStaysBlank) {
    frmMain* window = openWindow();
    ModalAnswers answers({[](QWidget* dialog) {
        ModalAnswers::click(dialog, "使用空白页(B)");
        ModalAnswers::click(dialog, "确定");
    }});
    window->mnuMainToolInternetOption->trigger();
    ASSERT_EQ(answers.answered(), 1);
    EXPECT_TRUE(readFileBytes(userReg).contains("\"Start Page\"=\"About:Blank\""));
    EXPECT_EQ(gstrStartPage, kBlankStartPage);
    EXPECT_TRUE(page(openWindow())->calls.contains("Navigate:About:Blank"));
}

// What 确定 cannot keep is named and nothing of it is written; what it keeps shows again.
TEST_F(ToolsMenuTest, OptionsAreKeptOrRefusedWhole) {
    const QByteArray notExport = "主页=http://a/\n";
    const struct {
        const char* name;
        QByteArray userReg;
        QString startPage, proxyHost, shown; // shown: part of the "提示"
    } refused[] = {
        {"NotAnExport", notExport, "http://new.example/", "127.0.0.1", userReg},
        {"NoWebAddress", notExport, "javascript:alert(1)", "127.0.0.1", "不能作为主页"},
        {"HalfAProxy", notExport, kStartPage, " ", "代理服务器的地址"},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(writeFileBytes(userReg, row.userReg));
        InternetOptionsDialog dialog(setup());
        field<QLineEdit>(&dialog, "startPage")->setText(row.startPage);
        field<QComboBox>(&dialog, "encoding")->setCurrentIndex(2);
        field<QSpinBox>(&dialog, "zoom")->setValue(150);
        field<QComboBox>(&dialog, "proxyKind")->setCurrentIndex(1);
        dialog.findChildren<QRadioButton*>().last()->setChecked(true);
        field<QLineEdit>(&dialog, "proxyHost")->setText(row.proxyHost);
        field<QSpinBox>(&dialog, "proxyPort")->setValue(1080);
        ModalAnswers::click(&dialog, "确定");
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(boxes.shown.last().text.contains(row.shown))
            << boxes.shown.last().text.toStdString();
        EXPECT_EQ(readFileBytes(userReg), row.userReg);
        EXPECT_FALSE(QFile::exists(options.fileName()));
        if (QLatin1String(row.name) == QLatin1String("HalfAProxy")) {
            field<QLineEdit>(&dialog, "proxyHost")->setText("127.0.0.1");
            ModalAnswers::click(&dialog, "确定");
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
        }
    }
    BrowserOptions stored(options.fileName());
    EXPECT_EQ(stored.defaultEncoding(), "UTF-8");
    EXPECT_EQ(stored.defaultZoom(), 150);
    EXPECT_TRUE((stored.proxy() == ProxyOption{ProxyOption::Mode::Manual, ProxyOption::Kind::Socks5,
                                               "127.0.0.1", 1080}));
    InternetOptionsDialog again(setup());
    EXPECT_EQ(field<QComboBox>(&again, "encoding")->currentData().toString(), "UTF-8");
    EXPECT_EQ(field<QSpinBox>(&again, "zoom")->value(), 150);
    EXPECT_EQ(field<QComboBox>(&again, "proxyKind")->currentIndex(), 1);
    EXPECT_TRUE(again.findChildren<QRadioButton*>().last()->isChecked());
    EXPECT_EQ(field<QSpinBox>(&again, "proxyPort")->value(), 1080);
}

// A minimal system has no text editor, file manager or xdg-open: each tool says what to
// install instead of doing nothing.
TEST_F(ToolsMenuTest, MissingProgramsAreNamed) {
    frmMain* window = openWindow();
    launcher.succeed = false;
    page(window)->markup = QStringLiteral("<p>源</p>");
    window->mnuMainToolEXENotepad->trigger();
    window->mnuMainToolEXEExplorer->trigger();
    window->mnuMainViewSourceCode->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.shown.size() == 3; }, 2000));
    const QString editor = MissingProgramText(ProcessLauncher::StandIn::TextEditor);
    const QString files = MissingProgramText(ProcessLauncher::StandIn::FileManager);
    EXPECT_TRUE(editor.contains("mousepad") && files.contains("thunar"));
    QStringList shown;
    for (const auto& box : boxes.shown)
        shown << box.title + "|" + box.text;
    EXPECT_EQ(shown, (QStringList{"提示|" + editor, "提示|" + files,
                                  "提示|" + editor + "\n网页源文件已保存在：" + folder.path() +
                                      "/program/KQCode.txt"}));
}

// xdg-open without a file starts nothing (the tool then says what to install), and a folder
// goes to a file manager before the desktop's choice, which can be a web browser.
TEST(StandInTest, ProgramsThatCanDoTheJob) {
    QTemporaryDir bin;
    for (const char* name : {"xdg-open", "thunar"}) {
        QFile program(bin.path() + "/" + name);
        ASSERT_TRUE(program.open(QIODevice::WriteOnly) &&
                    program.setPermissions(QFile::ExeOwner | QFile::ReadOwner));
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    using StandIn = ProcessLauncher::StandIn;
    const auto program = [](StandIn tool, bool forAFile) {
        return QFileInfo(QtProcessLauncher::standInCommand(tool, forAFile).program).fileName();
    };
    EXPECT_EQ(program(StandIn::TextEditor, false), "");
    EXPECT_EQ(program(StandIn::TextEditor, true), "xdg-open");
    EXPECT_EQ(program(StandIn::FileManager, false), "thunar");
    qputenv("PATH", path);
}

} // namespace
