// The document commands of the engine page view: save, print, preview, page set-up,
// properties and the edit actions, each with the view's own dialogs.
#include "engine/WebEnginePage.h"
#include "engine/WebEnginePageView.h"
#include "platform/AddressText.h"
#include "platform/FileNames.h"
#include "platform/PageDialogs.h"
#include "platform/PageProperties.h"
#include "platform/PlainText.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QPrinter>
#include <QTimer>
#include <QUrl>
#include <QWebEngineDownloadRequest>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <utility>

QPrinter* WebEnginePageView::printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

void WebEnginePageView::ExecWB(int cmdID, int) {
    if (m_page->url().isEmpty())
        return; // no document yet: nothing to act on
    switch (cmdID) {
    case OLECMDID_SAVEAS:
        saveAs();
        break;
    case OLECMDID_PRINT:
        print();
        break;
    case OLECMDID_PRINTPREVIEW:
        printPreview();
        break;
    case OLECMDID_PAGESETUP:
        if (m_dialogs)
            m_dialogs->setUpPage(this, printer());
        break;
    case OLECMDID_PROPERTIES:
        showProperties();
        break;
    case OLECMDID_CUT:
        m_page->triggerAction(QWebEnginePage::Cut);
        break;
    case OLECMDID_COPY:
        m_page->triggerAction(QWebEnginePage::Copy);
        break;
    case OLECMDID_PASTE:
        m_page->triggerAction(QWebEnginePage::Paste);
        break;
    case OLECMDID_SELECTALL:
        m_page->triggerAction(QWebEnginePage::SelectAll);
        break;
    default:
        break;
    }
}

namespace {
QWebEngineDownloadRequest::SavePageFormat engineFormat(PageDialogs::SaveFormat format) {
    return format == PageDialogs::SaveFormat::CompleteHtml
               ? QWebEngineDownloadRequest::CompleteHtmlSaveFormat
               : QWebEngineDownloadRequest::MimeHtmlSaveFormat;
}
} // namespace

void WebEnginePageView::saveAs() {
    if (!m_dialogs)
        return;
    // What the document is (a PDF, a picture) is asked only now: asked of every page as it
    // loaded, it delayed the page. A page that does not answer soon is saved as a web page.
    const QUrl url = m_page->url();
    const auto answered = std::make_shared<bool>(false);
    const auto save = [this, whole = m_whole, answered, url](const QString& type) {
        if (*answered || !*whole || m_page->url() != url)
            return;
        *answered = true;
        saveDocument(url, type);
    };
    m_page->runJavaScript(
        QStringLiteral("document.contentType"), QWebEngineScript::ApplicationWorld,
        [this, whole = m_whole, save](const QVariant& type) {
            // Not from inside the engine's callback: the dialog is modal.
            if (*whole)
                QTimer::singleShot(0, this, [save, type = type.toString()] { save(type); });
        });
    QTimer::singleShot(kTypeAnswerMs, this, [save] { save(QString()); });
}

void WebEnginePageView::saveDocument(const QUrl& url, const QString& type) {
    // A PDF or a picture is saved as the file itself: the engine would save it as a web page of
    // that name (newer engines) or download it where it was told (older ones).
    const bool ownFile =
        type == QLatin1String("application/pdf") || type.startsWith(QLatin1String("image/"));
    // A file is named by its address ("red.png"), not by the title the engine gives its
    // viewer ("red.png (4×4)", the whole address).
    const QString fileName = ownFile ? url.fileName(QUrl::FullyDecoded) : QString();
    const auto target = m_dialogs->chooseSaveTarget(
        this,
        fileNameFromTitle(fileName.isEmpty() ? LocationName() : fileName, QStringLiteral("网页")),
        ownFile ? type : QString());
    if (!target)
        return;
    m_saveTarget.emplace(url, target->path);
    if (ownFile)
        m_page->download(url, QFileInfo(target->path).fileName());
    else
        m_page->save(target->path, engineFormat(target->format));
}

std::optional<QString> WebEnginePageView::takeSaveTarget(const QUrl& url) {
    if (!m_saveTarget || m_saveTarget->first != url)
        return std::nullopt; // another download meanwhile: the save's own is still to come
    return std::exchange(m_saveTarget, std::nullopt)->second;
}

void WebEnginePageView::acceptSavePage(QWebEngineDownloadRequest* download) {
    const auto target = m_dialogs
                            ? m_dialogs->chooseSaveTarget(
                                  this, fileNameFromTitle(LocationName(), QStringLiteral("网页")))
                            : std::nullopt;
    if (!target) {
        download->cancel();
        return;
    }
    const QFileInfo file(target->path);
    download->setSavePageFormat(engineFormat(target->format));
    download->setDownloadDirectory(file.absolutePath());
    download->setDownloadFileName(file.fileName());
    download->accept();
}

// Printing is asynchronous and the engine refuses a second job while one runs: the printer
// stays alive and further requests are ignored until it reports back.
void WebEnginePageView::print() {
    if (!m_dialogs || m_printing)
        return;
    if (!m_dialogs->choosePrinter(this, printer()))
        return;
    m_printing = true;
    // Into a PDF file the engine writes the page itself, with its text: printed like on paper,
    // every sheet would be a picture at the printer's resolution (half a gigabyte for 50).
    if (printer()->outputFormat() == QPrinter::PdfFormat &&
        !printer()->outputFileName().isEmpty()) {
        connect(
            m_page, &QWebEnginePage::pdfPrintingFinished, this, [this] { m_printing = false; },
            Qt::SingleShotConnection);
        m_page->printToPdf(printer()->outputFileName(), printer()->pageLayout(),
                           printer()->pageRanges());
        return;
    }
    connect(
        m_view, &QWebEngineView::printFinished, this, [this] { m_printing = false; },
        Qt::SingleShotConnection);
    printer()->setResolution(kPrintDpi);
    m_view->print(printer());
}

void WebEnginePageView::printPreview() {
    if (!m_dialogs || m_printing)
        return;
    m_printing = true;
    // The preview keeps a picture of every sheet: at the printer's own resolution a long page
    // took gigabytes.
    printer()->setResolution(kPreviewDpi);
    const QPointer<WebEnginePageView> guard(this);
    m_dialogs->previewPrint(this, printer(), [this, guard](QPrinter* target) {
        if (!guard)
            return;
        // Safe to wait here: the preview asks from its own dialog, not from an engine event.
        QEventLoop loop;
        connect(m_view, &QWebEngineView::printFinished, &loop, &QEventLoop::quit);
        m_view->print(target);
        loop.exec();
    });
    if (guard)
        m_printing = false;
}

void WebEnginePageView::showProperties() {
    PageProperties properties;
    properties.title = plainText::cut(plainText::withoutDirectionControls(LocationName()));
    properties.address = shownAddress(LocationURL());
    properties.protocol = protocolDescription(m_page->url().scheme());
    // The engine times no body for a local file (its transfer size is a flat 300 bytes of
    // headers): the file says its own size, and a folder's listing has none.
    std::optional<qint64> localSize;
    if (m_page->url().isLocalFile()) {
        const QFileInfo file(m_page->url().toLocalFile());
        localSize = file.isFile() ? file.size() : -1;
    }
    const QPointer<WebEnginePageView> guard(this);
    static const QString script = QStringLiteral(
        "(function() {"
        " var n = performance.getEntriesByType('navigation')[0];"
        " var size = n ? (n.encodedBodySize || n.decodedBodySize) : -1;"
        " return [document.contentType || '', String(size === undefined ? -1 : size),"
        "         document.lastModified || ''];"
        "})()");
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [guard, properties, localSize](const QVariant& result) mutable {
                              const QStringList values = result.toStringList();
                              if (values.size() == 3) {
                                  properties.type = values[0];
                                  properties.size =
                                      sizeDescription(localSize.value_or(values[1].toLongLong()));
                                  properties.modified = modifiedDescription(values[2]);
                              }
                              // Not from inside the engine's callback: the dialog is modal.
                              QTimer::singleShot(0, guard, [guard, properties] {
                                  if (guard && guard->m_dialogs)
                                      guard->m_dialogs->showProperties(guard, properties);
                              });
                          });
}
