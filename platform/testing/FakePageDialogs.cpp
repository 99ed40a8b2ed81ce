#include "FakePageDialogs.h"

#include <QPageLayout>
#include <QPrinter>

std::optional<PageDialogs::SaveTarget> FakePageDialogs::chooseSaveTarget(QWidget*,
                                                                         const QString& name) {
    asked << QStringLiteral("save:") + name;
    return saveTo;
}

bool FakePageDialogs::setUpPage(QWidget*, QPrinter* printer) {
    asked << QStringLiteral("setup");
    if (landscapeOnSetUp)
        printer->setPageOrientation(QPageLayout::Landscape);
    return landscapeOnSetUp;
}

bool FakePageDialogs::choosePrinter(QWidget*, QPrinter* printer) {
    asked << QStringLiteral("print");
    if (printToPdf.isEmpty())
        return false;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(printToPdf);
    return true;
}

void FakePageDialogs::previewPrint(QWidget*, QPrinter* printer,
                                   const std::function<void(QPrinter*)>& paint) {
    asked << QStringLiteral("preview");
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(previewToPdf);
    paint(printer);
}

void FakePageDialogs::showProperties(QWidget*, const PageProperties& shown) {
    asked << QStringLiteral("properties");
    properties.append(shown);
}
