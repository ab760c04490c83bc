// Takes the pictures of the windows that the documentation shows: run by
// scripts/screenshots under a virtual X display, with a demo data folder.
#include <QApplication>
#include <QPalette>
#include <QPrinter>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <filesystem>

#include "categories/qt/category_editor.h"
#include "platform/qt/drive_folder_memory.h"
#include "scripted_services.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/result_tabs.h"
#include "run/qt/single_file_view.h"
#include "shell/qt/program_shell.h"
#include "window/qt/services.h"
#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/rich_text_box.h"
#include "viewer/qt/quick_viewer.h"
#include "viewer/qt/rich_text_printing.h"
#include "viewer/qt/quick_viewer_window.h"
#include "search_start.h"
#include "document_files.h"
#include "temp_dir.h"
#include "viewer_idle.h"

using namespace tessaly;

namespace {

void shoot(QWidget& window, const QString& file) {
    window.raise();
    window.activateWindow();
    QTest::qWait(300);
    QPixmap picture = window.screen()->grabWindow(window.winId());
    if (picture.isNull() || picture.width() < 10) picture = window.grab();
    if (!picture.save(file)) qFatal("cannot write %s", qPrintable(file));
    qInfo("wrote %s (%dx%d)", qPrintable(file), picture.width(), picture.height());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // DARK=1 takes the pictures as a dark desktop theme shows the windows.
    if (qEnvironmentVariableIsSet("DARK")) {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
        dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
        dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
        dark.setColor(QPalette::Button, QColor(0x45, 0x45, 0x45));
        dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
        QApplication::setPalette(dark);
    }
    if (argc < 2) qFatal("usage: tessaly_screenshots OUTPUT-FOLDER");
    const QString out = QString::fromLocal8Bit(argv[1]);

    test::TempDir data;
    data.write("tyindex.ini",
               "[Work]\r\n/usr/share/doc\r\n/usr/include\r\n[Letters]\r\n/home\r\n");
    data.write("tyword.ini", "[Work]\r\ninvoice\r\nprintf\r\nlicen*\r\n");
    test::ScriptedMessageBoxes boxes;
    test::ScriptedPrintAndSaveDialogs dialogs;
    test::ScriptedDesktop desktop;
    test::ScriptedProgramEnd end;
    Services services{systemFileSystem(), boxes, dialogs, desktop, end};

    ProgramShell shell(services, data.path().string());
    shell.load();
    MainWindow& w = shell.window();
    w.criteria().searchCat->setCurrentIndex(0);
    emit w.criteria().searchCat->activated(0);
    w.criteria().searchText[0]->setText(QStringLiteral("license"));
    w.criteria().searchText[1]->setText(QStringLiteral("GPL*"));
    shoot(w, out + QStringLiteral("/main-window.png"));

    w.commands().searchOption->click();
    shoot(w, out + QStringLiteral("/options-panel.png"));
    w.panel().searchScope->click();
    w.panel().scopeFolders->setText(QStringLiteral(".git; node_modules; build*"));
    w.panel().scopeSize->setValue(10);
    shoot(w, out + QStringLiteral("/options-scope.png"));
    w.panel().scopeFolders->clear();
    w.panel().scopeSize->setValue(0);
    w.panel().scopeBack->click();
    w.panel().advOK->click();

    {
        DriveFolderMemory memory;
        CategoryEditor editor(w, data.path().string() + "/", services, memory, [] {});
        editor.show();
        editor.dirCat->setCurrentIndex(0);
        editor.pickCategory();
        shoot(editor, out + QStringLiteral("/category-editor.png"));
    }

    // A real search over the documentation of the installed packages.
    w.criteria().listCategory->clear();
    w.criteria().listCategory->addItem(QStringLiteral("/usr/share/doc"));
    w.criteria().searchText[0]->setText(QStringLiteral("license"));
    w.criteria().searchText[1]->setText(QStringLiteral("warranty"));
    test::startSearch(shell);
    w.resize(w.pixels(11000), w.height());
    shoot(w, out + QStringLiteral("/results.png"));
    {
        // The result pane printed to a PDF file, to look at its pages.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out + QStringLiteral("/results.pdf"));
        if (const Failure failure = printRichText(*w.results().MainResult->document(), printer).failure)
            qWarning("printing failed: %s", failure.describe().c_str());
    }

    w.results().dispResult->setCurrentIndex(1);
    QTreeWidgetItemIterator leaf(w.results().outlineFile);
    while (*leaf && (*leaf)->childCount() > 0) ++leaf;
    if (*leaf) {
        w.results().outlineFile->setCurrentItem(*leaf);
        emit w.results().outlineFile->itemClicked(*leaf, 0);
        test::waitForSingleFileView(shell.singleFileView());
    }
    shoot(w, out + QStringLiteral("/result-tree.png"));

    // The viewer on the first result file, stepped to its second hit.
    w.results().dispResult->setCurrentIndex(0);
    w.results().MainResult->setCaretOffset(0);
    w.commands().buttonView->click();
    test::waitForViewer(shell.quickViewer());
    QuickViewerWindow& viewer = shell.quickViewer().window();
    viewer.setSizeTwips(11000, 8000);
    viewer.viewNext->click();
    test::waitForViewer(shell.quickViewer());
    viewer.viewNext->click();
    test::waitForViewer(shell.quickViewer());
    shoot(viewer, out + QStringLiteral("/quick-viewer.png"));
    viewer.close();

    // Words beyond ASCII, in files written in UTF-8, UTF-16 and Windows-1252,
    // among punctuation and symbols of several scripts.
    tessaly::test::TempDir texts;
    texts.write("de.txt", "Die Gr\xc3\xb6\xc3\x9f" "e des Caf\xc3\xa9s ist na\xc3\xafv \xe2\x80\x94 "
                          "\xe2\x80\x9eZitat\xe2\x80\x9c \xc2\xab" "guillemets\xc2\xbb 5\xc2\xa0\xe2\x82\xac \xc2\xa9 "
                          "\xe3\x80\x8c\xe5\xbc\x95\xe3\x80\x8d\xe3\x80\x82\nDon\xe2\x80\x99t panic.\n");
    texts.write("el.txt", "\xce\x97 \xcf\x83\xce\xbf\xcf\x86\xce\xaf\xce\xb1 \xcf\x84\xce\xb7\xcf\x82 "
                           "\xce\xb3\xce\xbb\xcf\x8e\xcf\x83\xcf\x83\xce\xb1\xcf\x82.\n");
    texts.write("latin1.txt", "Gr\xf6\xdf" "e und na\xefve Fragen\r\n");
    texts.write("utf16.txt", std::string("\xff\xfeG\0r\0\xf6\0\xdf\0" "e\0 \0o\0k\0", 18));
    w.commands().searchConfig->click();
    w.criteria().listCategory->clear();
    w.criteria().listCategory->addItem(QString::fromStdString(texts.path().string()));
    w.criteria().searchText[0]->setText(QStringLiteral("GR\u00d6\u00dfE"));
    w.criteria().searchText[1]->setText(QStringLiteral("\u03a3\u039f\u03a6\u038a\u0391"));
    w.criteria().Opt1[1]->setChecked(true);  // OR
    test::startSearch(shell);
    shoot(w, out + QStringLiteral("/results-beyond-ascii.png"));

    // Documents as their text: a PDF written by others where one is installed,
    // and a Word file made here; the viewer on the PDF at its first hit.
    tessaly::test::TempDir documents;
    const std::filesystem::path manual = "/usr/share/doc/libtasn1-doc/libtasn1.pdf";
    if (std::filesystem::exists(manual)) std::filesystem::copy_file(manual, documents.path() / "libtasn1.pdf");
    documents.write("notes.docx",
                    test::zipBytes({{"[Content_Types].xml", "<Types/>"},
                                    {"word/document.xml",
                                     "<w:document xmlns:w=\"w\"><w:body><w:p><w:r><w:t>Check the DER encoding "
                                     "before the release.</w:t></w:r></w:p></w:body></w:document>"}}));
    w.commands().searchConfig->click();
    w.criteria().listCategory->clear();
    w.criteria().listCategory->addItem(QString::fromStdString(documents.path().string()));
    w.criteria().searchText[0]->setText(QStringLiteral("DER"));
    w.criteria().searchText[1]->clear();
    w.criteria().Opt1[0]->setChecked(true);
    test::startSearch(shell);
    shoot(w, out + QStringLiteral("/results-documents.png"));
    w.results().MainResult->setCaretOffset(0);
    w.commands().buttonView->click();
    test::waitForViewer(shell.quickViewer());
    viewer.setSizeTwips(11000, 8000);
    viewer.viewNext->click();
    test::waitForViewer(shell.quickViewer());
    shoot(viewer, out + QStringLiteral("/viewer-document.png"));
    viewer.close();
    return 0;
}
