#include "app/output_commands.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <memory>

#include "app/command_table.h"
#include "app/main_window.h"
#include "app/memo_window.h"
#include "app/picture_commands.h"
#include "app/qt_ui_text.h"
#include "model/text_fields.h"
#include "output/print_document.h"
#include "render/page_tables.h"

namespace shinofu::app {
namespace {

int pageCountOf(const Session& session) {
    return session.view.numericDisplay ? 1 : render::buildPageTables(session.score, session.view).pageCount;
}

// The pages the print dialog asked for: all of them, a range, or the page shown.
std::pair<int, int> pagesToPrint(const QPrinter& printer, const Session& session) {
    const int count = pageCountOf(session);
    const int shown = std::clamp(session.view.curPage, 1, count);
    switch (printer.printRange()) {
        case QPrinter::AllPages: return {1, count};
        case QPrinter::PageRange: {
            const int first = std::clamp(printer.fromPage(), 1, count);
            return {first, std::clamp(printer.toPage(), first, count)};
        }
        default: return {shown, shown};
    }
}

// "画面印刷(&P)": the shown page in a preview, printed from there through the system's print dialog;
// "Print to file" there writes a PDF, and the dialog's page range can take the whole score.
void printCommand(MainWindow& window, Session& session, QPrinter& printer) {
    printer.setFullPage(true);  // the margins are the score's own
    printer.setDocName(QString::fromStdString(session.score.title()));
    const int shown = std::clamp(session.view.curPage, 1, pageCountOf(session));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(shown, shown);
    QPrintPreviewDialog preview(&printer, &window);
    preview.setWindowTitle(ui::qtext("ui", "印刷プレビュー"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &window, [&](QPrinter* target) {
        output::PrintJob job;
        job.settings = session.print;
        job.headerItems = session.config.headerItems;
        job.date = output::todayShortDate();
        std::tie(job.firstPage, job.lastPage) = pagesToPrint(*target, session);
        QPainter painter(target);
        if (painter.isActive()) output::printPages(painter, *target, session.score, session.view, window.resources(), job);
    });
    preview.exec();
    window.redraw();
}

// "保存" of the printer form: the margins and header switches, then the page setup, then printing.
void finishPrinterSettings(MainWindow& window, Session& session, QPrinter& printer) {
    output::readPrinterSettings(window.memo()->lines(), session.print);
    window.memo()->setSaveAction(nullptr);
    window.memo()->hide();
    window.memo()->setLines({});
    QPageSetupDialog setup(&printer, &window);
    if (setup.exec() == QDialog::Accepted) printCommand(window, session, printer);
}

}  // namespace

std::vector<std::string> layoutSettingsLines(const Session& session) {
    return {ui::text("ui", "行間隔：") + std::to_string(session.view.lineSpacing),
            ui::text("ui", "行数：") + std::to_string(session.view.rowsPerPage),
            ui::text("ui", "音符の相対サイズ：") + model::formatReal(session.view.noteSize, 5, 3)};
}

void bindOutputCommands(MainWindow& window, Session& session) {
    const std::string file = "ファイル&F";
    const std::pair<const char*, PictureItem> pictures[] = {{"WMFファイル(&W)", PictureItem::Wmf},
                                                            {"EMFファイル(&E)", PictureItem::Emf},
                                                            {"JPEGファイル(&J)", PictureItem::Jpeg},
                                                            {"クリップボードにコピー(&C)", PictureItem::Clipboard},
                                                            {"PNGファイル(&N)", PictureItem::Png},
                                                            {"SVGファイル(&S)", PictureItem::Svg},
                                                            {"PDFファイル(&P)", PictureItem::Pdf}};
    for (const auto& [caption, item] : pictures) {
        window.bind(commandPath({file, "画面ファイル保存&C", caption}), [&window, &session, item = item] {
            savePictureCommand(item, session, window.dialogs(), window.clipboard(), window.resources());
            window.redraw();
        });
    }
    // The printer keeps what the page setup chose for as long as the window lives.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    window.bind(commandPath({file, "画面印刷(&P)"}), [&window, &session, printer] { printCommand(window, session, *printer); });
    window.bind(commandPath({file, "プリンター設定(&U)"}), [&window, &session, printer] {
        MemoWindow& memo = *window.memo();
        memo.setLines(output::printerSettingsText(session.print));
        memo.setSaveAction([&window, &session, printer] { finishPrinterSettings(window, session, *printer); });
        memo.show();
        memo.raise();
    });
    window.bind(commandPath({"表示&V", "譜面設定データ表示"}), [&window, &session] {
        MemoWindow& memo = *window.memo();
        memo.setLines(layoutSettingsLines(session));
        memo.setSaveAction(nullptr);
        memo.show();
        memo.raise();
    });
}

}  // namespace shinofu::app
