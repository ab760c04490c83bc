#include "viewer/qt/quick_viewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <chrono>
#include <climits>
#include <future>
#include <optional>
#include <sys/stat.h>

#include "criteria/qt/option_controls.h"
#include "criteria/qt/scope_controls.h"
#include "platform/blanks.h"
#include "platform/engine_access.h"
#include "platform/qt/engine_report.h"
#include "platform/file_descriptor.h"
#include "platform/error_tables.h"
#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/lossless_text.h"
#include "platform/qt/operation_error_report.h"
#include "platform/qt/rich_text_box.h"
#include "platform/qt/rtf_colour_table.h"
#include "platform/qt/rtf_document_builder.h"
#include "platform/qt/background_work.h"
#include "run/qt/date_time_text.h"
#include "run/qt/result_view.h"
#include "run/result_entry_index.h"
#include "run/file_content.h"
#include "run/search_pipeline.h"
#include "window/qt/data_file_guard.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/result_tabs.h"
#include "window/qt/open_in_application.h"
#include "window/qt/services.h"
#include "viewer/hit_line_marker.h"
#include "viewer/hit_navigation.h"
#include "viewer/hit_word_marker.h"
#include "viewer/marked_text_rtf.h"
#include "viewer/qt/quick_viewer_window.h"
#include "viewer/qt/rich_text_printing.h"
#include "viewer/qt/rich_text_saving.h"
#include "platform/qt/marked_text_view.h"
#include "viewer/viewer_body.h"
#include "viewer/viewer_text_load.h"

namespace tessaly {

namespace {

// The length of an open file now, not when its folder was listed.
std::uint64_t lengthNow(int fd) {
    struct stat status {};
    return fd >= 0 && ::fstat(fd, &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

std::u16string_view utf16Of(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// Next must find what the engine marked: Greek or Cyrillic folded as the engine
// folds them (simple folding keeps each unit one unit, so offsets hold), and
// their letters joined into words.
const LetterRules kUnicodeLetters{
    [](char16_t unit) { return static_cast<char16_t>(QChar::toCaseFolded(char32_t{unit})); },
    [](char32_t c) { return QChar::isLetterOrNumber(c) || QChar::isMark(c); }};

}  // namespace

QuickViewer::QuickViewer(MainWindow& main, Services& services, EngineAccess& engine,
                         const RunArguments& arguments, const ResultEntryIndex& entries,
                         SelectedFile& selected)
    : main_(main), selected_(selected), services_(services), engine_(engine), arguments_(arguments),
      entries_(entries) {
    connect(main_.commands().buttonView, &QPushButton::clicked, this, &QuickViewer::viewFile);
    connect(main_.commands().buttonDetail, &QPushButton::clicked, this, [this] {
        // The desktop answers in its own way, if at all; nothing to add here.
        if (pickSelectedFile())
            openInApplication(services_, selected_.path, [this] { showSelectedFile(); });
    });
}

void QuickViewer::showFile(const std::string& path) {
    selected_.path = path;
    showSelectedFile();
}

void QuickViewer::openFile(const std::string& path) {
    selected_.path = path;
    openInApplication(services_, path, [this] { showSelectedFile(); });
}

QuickViewer::~QuickViewer() {
    // Work under way ends at once rather than hold up the program's end.
    stopLoad();
    // The window may outlive the text it shows.
    if (window_) window_->richView->clear();
}

QuickViewerWindow& QuickViewer::window() {
    if (window_) return *window_;
    window_ = new QuickViewerWindow(&main_);
    QuickViewerWindow& v = *window_;
    connect(v.viewNext, &QPushButton::clicked, this, &QuickViewer::findNextHit);
    connect(v.nextFile, &QPushButton::clicked, this, &QuickViewer::jumpToNextFile);
    // The viewer shows the file already: a program is offered only its folder.
    connect(v.viewPrev, &QPushButton::clicked, this, [this] {
        if (!selected_.path.empty())
            openInApplication(services_, selected_.path);
    });
    connect(v.viewStop, &QPushButton::clicked, this, &QuickViewer::stopLoad);
    connect(v.viewClose, &QPushButton::clicked, this, &QuickViewer::done);
    // Closed by its close box while a file loads: the load ends.
    connect(&v, &QuickViewerWindow::closedByCloseBox, this, [this] {
        stopLoad();
        // Once the window is hidden.
        QMetaObject::invokeMethod(this, &QuickViewer::releaseText, Qt::QueuedConnection);
    });
    const auto rtf = [this] {
        const MarkedTextView& view = *window_->richView;
        return markedTextRtf(view.text(), view.marks());
    };
    connect(v.viewSave, &QPushButton::clicked, this, [this, rtf] { saveCommand(rtf, services_); });
    connect(v.viewPrint, &QPushButton::clicked, this, [this, rtf] {
        const auto document = [&rtf] {
            auto printed = std::make_unique<QTextDocument>();
            QTextCursor cursor(printed.get());
            RtfColourTable colours;
            RtfDocumentBuilder(colours).insert(cursor, rtf());
            return printed;
        };
        printCommand(document, window_->richView->hasSelection(), services_,
                     {window_->viewPrint, window_->panels[0]});
    });
    return v;
}

bool QuickViewer::pickSelectedFile() {
    if (main_.results().dispResult->currentIndex() == 0 || viewFromPane_) {
        const int caret = main_.results().MainResult->caretOffset();
        if (const std::string* path = entries_.fileAt(static_cast<std::size_t>(std::max(caret, 0))))
            selected_.path = *path;
    }
    if (!selected_.path.empty()) return true;
    services_.desktop.beep();
    services_.boxes.show(QStringLiteral("You must select a file to view!"),
                         QStringLiteral("Select File"), MessageIcon::CriticalStop,
                         MessageButtons::Ok);
    return false;
}

void QuickViewer::viewFile() {
    if (pickSelectedFile()) showSelectedFile();
}

void QuickViewer::showSelectedFile() { loadViewer(); }

void QuickViewer::loadViewer() {
    // A load is under way beside the window: Viewer pressed again meanwhile
    // would pour a second file into the same text. Next reads the text
    // beside the window too: it must stay until Next is done.
    if (!viewerLoadDone_ || searchingText_) {
        services_.desktop.beep();
        return;
    }
    QuickViewerWindow& v = window();
    if (!v.isVisible()) {
        // A viewer that was closed opens afresh, at the size it was left with Done.
        viewFromPane_ = false;
        v.setSizeTwips(width_, height_);
    }
    viewerLoadDone_ = false;
    ++loadNumber_;
    v.setCommandsEnabled(false);
    v.show();
    v.raise();
    v.panels[0]->setText(QStringLiteral("Loading file ..."));
    v.panels[1]->clear();
    v.panels[2]->clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    v.richView->clear();
    load_.reset();
    document_.reset();
    v.showStop(true);

    const std::string path = selected_.path;
    // A file that cannot be read is said so, rather than shown blank.
    DirectoryEntry entry;
    const bool readable = guardFileStep(
        services_,
        [&] {
            Failure failure = services_.files.status(path, entry);
            if (!failure && entry.kind != EntryKind::File)
                failure = failureFromErrno(ENOENT, "read", path);
            return failure;
        },
        fileFailureMessage);
    const EngineCalls* engine = readable ? engineOrReport(engine_, services_.boxes, services_.end) : nullptr;
    if (!engine) {
        v.panels[0]->clear();
        return finishLoad();
    }
    if (!readScope(main_).documentsAsText) return showBody(path, entry, *engine);

    // A document is read once, for its text and for its hits, by the reader
    // process, which Stop ends at once.
    auto stop = std::make_shared<std::atomic<bool>>(false);
    documentStop_ = stop;
    work_.start([path, scope = readScope(main_), stop] { return documentTextOf(path, scope, stop.get()); },
                [this, number = loadNumber_, path, entry, engine, stop](std::optional<DocumentText> read) {
                    if (number != loadNumber_) return;
                    documentStop_.reset();
                    if (stop->load()) {  // stopped before there was any text to show
                        showPanels(path, entry.size, entry.modified);
                        sayShortOfTheEnd(ViewerTextLoad::Ending::Stopped);
                        return finishLoad();
                    }
                    if (read) document_ = std::make_shared<const DocumentText>(std::move(*read));
                    showBody(path, entry, *engine);
                });
}

void QuickViewer::showBody(const std::string& path, const DirectoryEntry& entry, const EngineCalls& engine) {
    QuickViewerWindow& v = *window_;
    const std::shared_ptr<const DocumentText> document = document_;
    // A document read in part (a page that would not load) is shown as far
    // as it was read, and says so beside its name.
    if (document && document->text.empty() && !document->problem.empty()) {
        services_.boxes.show(QStringLiteral("Tessaly cannot show %1: %2.")
                                 .arg(textFromBytes(path), textFromBytes(document->problem)),
                             QStringLiteral("Tessaly"), MessageIcon::CriticalStop, MessageButtons::Ok);
        v.panels[0]->clear();
        return finishLoad();
    }
    int opened = -1;
    if (!document) {
        guardFileStep(
            services_,
            [&] {
                opened = openToRead(path);
                return opened < 0 ? failureFromErrno(errno, "read", path) : Failure{};
            },
            fileFailureMessage);
        if (opened < 0) {
            v.panels[0]->clear();
            return finishLoad();
        }
    }
    showPanels(path, entry.size, entry.modified);

    RunArguments arguments = arguments_;
    arguments.allHits = 1;
    const Candidate candidate{path, entry.size, entry.modified, 1, entry.readableByAll};
    // The load owns all it reads, open until the last work that reads it is
    // done: a load left behind never reaches into this call.
    auto file = std::make_shared<const FileDescriptor>(opened);
    auto body = [engine = &engine, file, path, document](const ViewerTextLoad::PieceSink& sink) {
        return streamViewerBody(*engine, file->get(), path, lengthNow(file->get()), document.get(), sink);
    };
    auto findHits = [engine = &engine, file, candidate, arguments, words = readSearchWords(main_), document,
                     scope = chosenFileScope(readScope(main_))](
                        const std::atomic<bool>& stopping) -> std::unique_ptr<TextMarker> {
        // The body reads the file too: the search reads it by a second
        // opening of the same file, with a place of its own.
        const int again = document ? -1 : openToRead("/proc/self/fd/" + std::to_string(file->get()));
        const FileDescriptor searched(again);
        if (document || again >= 0)
            if (auto places = hitWordsOf(*engine, again, document ? std::string_view(document->text) : "",
                                         arguments, words, &stopping))
                return std::make_unique<HitWordMarker>(std::move(*places));
        if (stopping) return nullptr;
        return std::make_unique<HitLineMarker>(
            (document ? searchText(*engine, document->text, arguments, words)
                      : searchFile(*engine, candidate, arguments, words, scope))
                .lines);
    };
    // What the load makes is taken on the window's thread, a batch at a time.
    auto changed = [this] {
        if (!progressPosted_.exchange(true))
            QMetaObject::invokeMethod(this, &QuickViewer::takeLoadProgress, Qt::QueuedConnection);
    };
    load_ = std::make_shared<ViewerTextLoad>(document ? document->text.size() : lengthNow(opened), std::move(body),
                                             std::move(findHits), std::move(changed));
}

void QuickViewer::takeLoadProgress() {
    progressPosted_ = false;
    if (!load_ || viewerLoadDone_) return;
    const ViewerTextLoad::Progress progress = load_->take(std::chrono::milliseconds(0));
    MarkedTextView& view = *window_->richView;
    view.showText(progress.text);
    view.addMarks(progress.marks);
    if (progress.ending) endLoad(*progress.ending);
}

void QuickViewer::endLoad(ViewerTextLoad::Ending ending) {
    QuickViewerWindow& v = *window_;
    sayShortOfTheEnd(ending);
    if (document_ && !document_->problem.empty() && ending == ViewerTextLoad::Ending::Whole)
        v.panels[0]->setText(v.panels[0]->text() +
                             QStringLiteral(" (not all of it: %1)").arg(textFromBytes(document_->problem)));
    finishLoad();
    if (!v.isVisible()) return releaseText();  // closed while it loaded
    if (main_.panel().FoundWord->isChecked()) findNextHit();
}

void QuickViewer::finishLoad() {
    QuickViewerWindow& v = *window_;
    v.richView->setCaretOffset(0);
    QApplication::restoreOverrideCursor();
    viewerLoadDone_ = true;
    v.showStop(false);
    v.setCommandsEnabled(true);
    if (focusTextAfterLoad_) v.richView->setFocus();
    focusTextAfterLoad_ = false;
}

void QuickViewer::stopLoad() {
    if (viewerLoadDone_) return;
    if (documentStop_) documentStop_->store(true);
    if (load_) load_->stop();
}

void QuickViewer::sayShortOfTheEnd(ViewerTextLoad::Ending ending) {
    const char* note = "";
    switch (ending) {
    case ViewerTextLoad::Ending::Whole: return;
    case ViewerTextLoad::Ending::Stopped: note = " (stopped: the rest is not shown)"; break;
    case ViewerTextLoad::Ending::Unreadable: note = " (could not be read to its end: the rest is not shown)"; break;
    case ViewerTextLoad::Ending::Cut: note = " (it grew while it was read: shown up to its length when opened)"; break;
    }
    QLabel& name = *window_->panels[0];
    name.setText(name.text() + QString::fromLatin1(note));
}

void QuickViewer::releaseText() {
    // Work that still reads the text holds the load, and with it the text.
    if (!window_ || !viewerLoadDone_ || window_->isVisible()) return;
    window_->richView->clear();
    load_.reset();
}

void QuickViewer::showPanels(const std::string& path, std::uint64_t size, std::time_t modified) {
    QuickViewerWindow& v = *window_;
    v.panels[0]->setText(QStringLiteral("Name: ") + textFromBytes(path));
    v.panels[1]->setText(QStringLiteral("Date: ") + textFromBytes(dateTimeText(modified)));
    v.panels[2]->setText(QStringLiteral("Size: %1 KB").arg(std::max<std::uint64_t>(1, size / 1024)));
}

void QuickViewer::findNextHit() {
    if (!viewerLoadDone_ || searchingText_) {
        services_.desktop.beep();
        return;
    }
    MarkedTextView& view = *window().richView;
    std::array<std::u16string, 4> words;
    const SearchWords typed = readSearchWords(main_);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const QString word = textFromBytes(trimBlanks(typed[i]));
        words[i] = std::u16string(utf16Of(word));
    }
    // Past the hit that is selected, or from the caret.
    const int start = view.hasSelection() ? view.selectionStart() + 1 : view.caretOffset();
    const bool matchCase = main_.panel().optCase->isChecked();
    // With no hit ahead the whole rest of a long file is read: beside the
    // window, on the text the load keeps.
    searchingText_ = true;
    work_.start([load = load_, text = view.text(), start, words, matchCase] {
                    (void)load;  // holds the text
                    return nextHit(text, start, words, matchCase, kUnicodeLetters);
                },
                [this](std::optional<FoundHit> hit) { showNextHit(hit); });
}

void QuickViewer::showNextHit(const std::optional<FoundHit>& hit) {
    searchingText_ = false;
    if (!window_ || !window_->isVisible()) return;  // closed meanwhile
    MarkedTextView& view = *window_->richView;
    if (hit) {
        view.select(hit->offset, hit->length);
        return;
    }
    const MessageAnswer again = services_.boxes.show(
        QStringLiteral("Search has reached the end of this file. Do you\r\nwant to search from "
                       "beginning of the file again?"),
        QStringLiteral("Search File"), MessageIcon::Exclamation, MessageButtons::YesNo);
    if (again != MessageAnswer::Yes) return;
    view.setFocus();
    view.setCaretOffset(0);
}

void QuickViewer::jumpToNextFile() {
    // The tree in the order its nodes were added: folders before their files.
    std::vector<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(main_.results().outlineFile); *it; ++it) nodes.push_back(*it);
    const auto pathOf = [](QTreeWidgetItem* node) {
        const QVariant file = node->data(0, ResultView::kPathRole);
        if (file.isValid()) return file.toByteArray().toStdString();
        return bytesFromText(node->data(0, ResultView::kKeyRole).toString());
    };
    const auto isFile = [](QTreeWidgetItem* node) {
        return node->data(0, ResultView::kPathRole).isValid();
    };

    std::size_t current = nodes.size();
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (pathOf(nodes[i]) == selected_.path) {
            current = i;
            break;
        }

    // After the current node, passing over the folders on the way; a file
    // the tree no longer holds starts from the top.
    std::size_t next = current == nodes.size() ? 0 : current + 1;
    while (next < nodes.size() && !isFile(nodes[next])) ++next;

    // Past the last file (or no tree at all, in Name Only display): from the
    // first entry of the result pane again, if the person wants.
    if (next >= nodes.size()) {
        const MessageAnswer again = services_.boxes.show(
            QStringLiteral("Quick Viewer has reached the last file. Do you want\r\nto view the "
                           "first file again?"),
            QStringLiteral("Viewing File"), MessageIcon::Exclamation, MessageButtons::YesNo);
        if (again != MessageAnswer::Yes) return;
        main_.results().MainResult->setCaretOffset(0);
        viewFromPane_ = true;
        const bool picked = pickSelectedFile();
        viewFromPane_ = false;
        if (!picked) return;
        for (QTreeWidgetItem* node : nodes)
            if (pathOf(node) == selected_.path) {
                main_.results().outlineFile->setCurrentItem(node);
                break;
            }
    } else {
        main_.results().outlineFile->setCurrentItem(nodes[next]);
        selected_.path = pathOf(nodes[next]);
    }
    focusTextAfterLoad_ = true;
    loadViewer();
}

void QuickViewer::done() {
    QuickViewerWindow& v = window();
    width_ = v.widthTwips();
    height_ = v.heightTwips();
    v.close();
    releaseText();
}

}  // namespace tessaly
