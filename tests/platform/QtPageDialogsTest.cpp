// The dialogs a page's requests open, answered as a person would: what was typed comes back,
// Cancel means nothing, and the page's words stay plain text.
#include "platform/QtPageDialogs.h"
#include "tests/support/ModalAnswers.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>

namespace {

TEST(QtPageDialogsTest, AnswersComeBackAndCancelMeansNothing) {
    QTemporaryDir folder;
    QStringList seen;          // each dialog's title, and its labels with page text
    QStringList ownWindowOnly; // the dialogs that leave the other windows usable
    const auto note = [&seen, &ownWindowOnly](QWidget* dialog) {
        seen << dialog->windowTitle();
        if (dialog->windowModality() == Qt::WindowModal)
            ownWindowOnly << dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->text().contains(QLatin1String("<b>")))
                seen << (label->textFormat() == Qt::PlainText ? "plain" : "rich");
        }
    };
    const auto type = [&note](const QStringList& texts) {
        return [&note, texts](QWidget* dialog) {
            note(dialog);
            QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
            if (QLineEdit* file = dialog->findChild<QLineEdit*>("fileNameEdit"))
                edits = {file};
            for (qsizetype i = 0; i < texts.size() && i < edits.size(); ++i)
                edits[i]->setText(texts[i]);
            ModalAnswers::accept(dialog);
        };
    };
    const auto cancel = [&note](QWidget* dialog) {
        note(dialog);
        ModalAnswers::reject(dialog);
    };
    const auto go = [&note](QWidget* dialog) {
        note(dialog);
        ModalAnswers::click(dialog, "继续访问(C)");
    };
    // Ticks the box that stops the page's boxes, then answers.
    const auto stopPage = [&note](bool accept) {
        return [&note, accept](QWidget* dialog) {
            note(dialog);
            if (auto* stop = dialog->findChild<QCheckBox*>())
                stop->setChecked(true);
            accept ? ModalAnswers::accept(dialog) : ModalAnswers::reject(dialog);
        };
    };
    const QString saved = folder.path() + "/saved.bin";
    ModalAnswers answers({type({}), stopPage(true), cancel, type({"typed"}), stopPage(false),
                          type({"user", "secret"}), cancel, type({}), cancel, go, type({saved}),
                          cancel, cancel, cancel, cancel, cancel});
    const QUrl site(QStringLiteral("http://a.example/page"));
    QtPageDialogs dialogs;
    dialogs.scriptAlert(nullptr, site, "<b>hi</b>", nullptr);
    bool noMore = false;
    EXPECT_TRUE(dialogs.scriptConfirm(nullptr, QUrl(), "<b>sure?</b>", &noMore));
    EXPECT_TRUE(noMore);
    EXPECT_FALSE(dialogs.scriptConfirm(nullptr, site, "q", &noMore));
    EXPECT_FALSE(noMore);
    EXPECT_EQ(dialogs.scriptPrompt(nullptr, site, "<b>name</b>", "d", nullptr),
              QStringLiteral("typed"));
    EXPECT_EQ(dialogs.scriptPrompt(nullptr, site, "name", "d", &noMore), std::nullopt);
    EXPECT_TRUE(noMore);
    const auto signedIn = dialogs.signIn(nullptr, site, "<b>realm</b>", false);
    ASSERT_TRUE(signedIn.has_value());
    EXPECT_EQ(signedIn->user + "|" + signedIn->password, "user|secret");
    EXPECT_FALSE(dialogs.signIn(nullptr, site, "realm", true).has_value());
    EXPECT_TRUE(dialogs.confirmLeavingPage(nullptr));
    EXPECT_FALSE(dialogs.continueDespiteCertificateError(nullptr, site, "<b>bad</b>"));
    EXPECT_TRUE(dialogs.continueDespiteCertificateError(nullptr, site, "bad"));
    EXPECT_EQ(dialogs.chooseDownloadPath(nullptr, folder.path() + "/suggested.bin"), saved);
    EXPECT_EQ(dialogs.chooseDownloadPath(nullptr, saved), std::nullopt);
    EXPECT_EQ(dialogs.chooseSaveTarget(nullptr, "page"), std::nullopt);
    QPrinter printer;
    EXPECT_FALSE(dialogs.setUpPage(nullptr, &printer));
    EXPECT_FALSE(dialogs.choosePrinter(nullptr, &printer));
    dialogs.showProperties(nullptr, PageProperties{"<b>title</b>", "http://a/", {}, {}, {}, {}});
    EXPECT_EQ(answers.answered(), 16);
    EXPECT_EQ(
        seen.join('|'),
        "来自 a.example 的消息|plain|来自网页的消息|plain|来自 a.example 的消息|"
        "来自 a.example 的消息|plain|来自 a.example 的消息|需要登录|plain|代理服务器需要登录|"
        "离开此页？|安全证书有问题|plain|安全证书有问题|保存下载的文件|保存下载的文件|保存网页|"
        "页面设置|打印|属性|plain");
    // A page's script and its leaving question block only the page's window.
    EXPECT_EQ(ownWindowOnly.join('|'), "来自 a.example 的消息|来自网页的消息|来自 a.example 的消息|"
                                       "来自 a.example 的消息|来自 a.example 的消息|离开此页？");
}

// 另存为 starts in the documents folder, or at home where there is none: never in the folder
// the program happened to be started in.
TEST(QtPageDialogsTest, SavingAPageStartsInTheDocumentsFolderOrAtHome) {
    QStringList folders;
    const auto note = [&folders](QWidget* dialog) {
        folders << static_cast<QFileDialog*>(dialog)->directory().absolutePath();
        ModalAnswers::reject(dialog);
    };
    ModalAnswers answers({note, note});
    QtPageDialogs dialogs;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir(documents).removeRecursively();
    EXPECT_EQ(dialogs.chooseSaveTarget(nullptr, "page"), std::nullopt);
    ASSERT_TRUE(QDir().mkpath(documents));
    EXPECT_EQ(dialogs.chooseSaveTarget(nullptr, "page"), std::nullopt);
    // A PDF is offered as itself, under its own type.
    QString offered;
    const auto offer = [&offered](QWidget* dialog) {
        auto* files = static_cast<QFileDialog*>(dialog);
        offered = QFileInfo(files->selectedFiles().value(0)).fileName() + "|" +
                  files->nameFilters().join(";;");
        ModalAnswers::reject(dialog);
    };
    ModalAnswers pdf({offer, offer, offer});
    EXPECT_EQ(dialogs.chooseSaveTarget(nullptr, "doc.PDF", "application/pdf"), std::nullopt);
    EXPECT_EQ(offered, "doc.PDF|PDF 文档 (*.pdf)");
    EXPECT_EQ(dialogs.chooseSaveTarget(nullptr, "red", "image/png"), std::nullopt);
    EXPECT_EQ(offered, "red.png|PNG 图片 (*.png)");
    EXPECT_EQ(dialogs.chooseSaveTarget(nullptr, "photo.jpeg", "image/jpeg"), std::nullopt);
    EXPECT_EQ(offered.section('|', 0, 0), "photo.jpeg"); // not photo.jpeg.jpg
    QDir(documents).removeRecursively();
    EXPECT_EQ(folders, (QStringList{QDir::homePath(), documents}));
}

// A page's box blocks only its window; answered while another window's box is open, it returns
// after that one, and its window must still be there then: it does not close meanwhile.
TEST(QtPageDialogsTest, AWindowWaitingForItsPageStaysOpen) {
    auto* window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* page = new QWidget(window);
    const QPointer<QWidget> alive(window);
    bool closed = true;
    ModalAnswers answers({[&](QWidget* dialog) {
        closed = window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModalAnswers::accept(dialog);
    }});
    QtPageDialogs().scriptAlert(page, QUrl(), "m", nullptr);
    EXPECT_EQ(answers.answered(), 1);
    EXPECT_FALSE(closed);
    ASSERT_TRUE(alive);
    EXPECT_TRUE(window->close()); // once answered, it closes as ever
}

// A page's dialogs name its host as the address box does: a lookalike in its xn-- form, and
// never the user name an address may carry.
TEST(QtPageDialogsTest, DialogsNameTheHostAsTheAddressBoxDoes) {
    QStringList texts;
    const auto read = [&texts](QWidget* dialog) {
        texts << dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            texts << label->text();
        ModalAnswers::reject(dialog);
    };
    ModalAnswers answers({read, read, read});
    const QUrl site(QStringLiteral("https://www.icbc.com.cn@xn--80ak6aa92e.com/p"));
    QtPageDialogs dialogs;
    dialogs.scriptAlert(nullptr, site, "m", nullptr);
    EXPECT_FALSE(dialogs.signIn(nullptr, site, "r", false).has_value());
    EXPECT_FALSE(dialogs.continueDespiteCertificateError(nullptr, site, "d"));
    const QString all = texts.join('|');
    EXPECT_EQ(all.count("xn--80ak6aa92e.com"), 3) << all.toStdString();
    EXPECT_FALSE(all.contains("icbc")) << all.toStdString();
}

} // namespace
