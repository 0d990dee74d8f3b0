// "印刷設定(&U)..." and "印刷(&P)": the active document on the default
// printer, or into a PDF file when there is no printer.
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/busy.h"
#include "app/childwin.h"
#include "app/commands.h"
#include "app/mainform.h"
#include "app/printdocument.h"
#include "editor/qt/tafedit.h"

namespace {

// A PDF beside the document, of the same name.
TFileDialogSpec PdfDialogSpec(const QString& documentPath) {
  const QFileInfo doc(documentPath);
  TFileDialogSpec spec;
  spec.Filter = QStringLiteral("PDF(*.pdf)|*.pdf");
  spec.FileName = doc.dir().filePath(doc.completeBaseName() + QStringLiteral(".pdf"));
  spec.DefaultExt = QStringLiteral("pdf");
  return spec;
}

QPrinterInfo ChosenPrinter() {
  const QPrinterInfo def = QPrinterInfo::defaultPrinter();
  return def.isNull() ? QPrinterInfo::availablePrinters().value(0) : def;
}

}  // namespace

void TMainForm::WirePrintCommands() {
  printForm_ = new TForm3(this, printSettings_, [this] { commands_->Run(QStringLiteral("Print1Click")); });
  TCommands& c = *commands_;
  c.SetHandler(QStringLiteral("U2Click"), [this] {
    printForm_->show();
    printForm_->raise();
    printForm_->activateWindow();
  });
  c.SetHandler(QStringLiteral("Print1Click"), [this] { PrintActiveDocument(); });
}

void TMainForm::PrintActiveDocument() {
  const QPointer<TMDIChild> w = ActiveChild();
  if (!w) return;
  const QPrinterInfo chosen = ChosenPrinter();
  QPrinter printer(chosen, QPrinter::HighResolution);
  if (chosen.isNull()) {
    // Cancel prints nothing; the window may have gone meanwhile.
    const std::optional<QString> path = dialogs_->SaveFile(PdfDialogSpec(w->windowTitle()));
    if (!path || !w) return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(*path);
  }
  printer.setDocName(QFileInfo(w->windowTitle()).fileName());
  printer.setCopyCount(printSettings_.PrintCopies);
  printer.setPageOrientation(printSettings_.PrintOrientation == 1 ? QPageLayout::Landscape
                                                                  : QPageLayout::Portrait);
  bool printed = false;
  {
    TAFEdit& e = *w->AFEdit;
    TBusyIndicator busy(this, QStringLiteral("印刷中..."), static_cast<long long>(e.RowCount()) * 40);
    printed = PrintDocument(e, printSettings_.PrintSize, printer);
  }
  if (!printed) {
    const QString target = chosen.isNull() ? printer.outputFileName() : printer.printerName();
    dialogs_->ShowMessage(target + QStringLiteral(" に印刷できませんでした(-_-;)"));
  }
}
