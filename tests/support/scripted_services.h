// The services of the windowed program, answered by script: a GUI test
// prepares the answers, runs the handler, and then checks what was asked.
#pragma once

#include <QFile>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/desktop.h"
#include "platform/qt/message_boxes.h"
#include "platform/qt/print_and_save_dialogs.h"
#include "platform/qt/program_end.h"

namespace tessaly::test {

struct AskedBox {
    QString text;
    QString title;
    MessageIcon icon;
    MessageButtons buttons;  // Ok for a box of choices
    QStringList choices;     // the program's own answers, when it offered any
};

class ScriptedMessageBoxes : public MessageBoxes {
public:
    // Queues the answer to the next box.
    void answer(MessageAnswer next) { answers_.push_back(next); }
    // Queues the answer to the next box of choices: the index, or -1 for Cancel.
    void answerChoice(int index) { choices_.push_back(index); }

    MessageAnswer show(const QString& text, const QString& title, MessageIcon icon,
                       MessageButtons buttons) override {
        asked_.push_back({text, title, icon, buttons, {}});
        if (answers_.empty()) {
            ++unscripted_;
            return leastDoingAnswer(buttons);
        }
        const MessageAnswer next = answers_.front();
        answers_.pop_front();
        return next;
    }

    int choose(const QString& text, const QString& title, MessageIcon icon,
               const QStringList& choices) override {
        asked_.push_back({text, title, icon, MessageButtons::Ok, choices});
        if (choices_.empty()) {
            ++unscripted_;
            return -1;
        }
        const int next = choices_.front();
        choices_.pop_front();
        return next;
    }

    const std::vector<AskedBox>& asked() const { return asked_; }
    // Boxes shown after the prepared answers ran out; they got the answer
    // that does the least (OK, No, Ignore, Cancel).
    int unscripted() const { return unscripted_; }
    int unused() const { return static_cast<int>(answers_.size() + choices_.size()); }

private:
    std::deque<MessageAnswer> answers_;
    std::deque<int> choices_;
    std::vector<AskedBox> asked_;
    int unscripted_ = 0;
};

class ScriptedPrintAndSaveDialogs : public PrintAndSaveDialogs {
public:
    // The next printer dialog is accepted; with a file name the printer writes
    // a PDF there, so that a test can look at what was printed.
    void acceptPrinter(QString pdfFile = {}) { printers_.push_back({true, std::move(pdfFile), 0, 0}); }
    // The same, with the pages from `fromPage` to `toPage` chosen.
    void acceptPrinterPages(QString pdfFile, int fromPage, int toPage) {
        printers_.push_back({true, std::move(pdfFile), fromPage, toPage});
    }
    void cancelPrinter() { printers_.push_back({false, QString(), 0, 0}); }
    void saveAs(QString file) { saves_.push_back({true, std::move(file), 0, 0}); }
    void cancelSave() { saves_.push_back({false, QString(), 0, 0}); }

    bool choosePrinter(QPrinter& printer, bool hasSelection) override {
        selectionOffered_.push_back(hasSelection);
        if (printers_.empty()) return false;
        const Answer next = printers_.front();
        printers_.pop_front();
        if (!next.accepted) return false;
        if (!next.file.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(next.file);
        }
        if (next.fromPage > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(next.fromPage, next.toPage);
        }
        return true;
    }

    std::optional<QString> chooseSaveFile() override {
        ++saveAsked_;
        if (saves_.empty()) return std::nullopt;
        const Answer next = saves_.front();
        saves_.pop_front();
        if (!next.accepted) return std::nullopt;
        return next.file;
    }

    // One entry per printer dialog: whether Selection was preselected.
    const std::vector<bool>& printerAsked() const { return selectionOffered_; }
    int saveAsked() const { return saveAsked_; }

private:
    // Not std::optional<QString>: GCC 12 takes a copied one for possibly
    // uninitialised at -O2 and -Werror stops the build.
    struct Answer {
        bool accepted;
        QString file;
        int fromPage = 0;
        int toPage = 0;
    };
    std::deque<Answer> printers_;
    std::deque<Answer> saves_;
    std::vector<bool> selectionOffered_;
    int saveAsked_ = 0;
};

class ScriptedDesktop : public Desktop {
public:
    void failOpening(Failure failure) { failure_ = std::move(failure); }

    Failure openUrl(const QUrl& url) override {
        urls_.push_back(url);
        return failure_;
    }
    void beep() override { ++beeps_; }

    // Every URL that reached the opener, as it reached it.
    const std::vector<QUrl>& urls() const { return urls_; }
    // The same, as the local paths they name.
    std::vector<std::string> opened() const {
        std::vector<std::string> paths;
        for (const QUrl& url : urls_)
            paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
        return paths;
    }
    int beeps() const { return beeps_; }

private:
    Failure failure_;
    std::vector<QUrl> urls_;
    int beeps_ = 0;
};


// Abort in a test does not end the test program: it is counted.
class ScriptedProgramEnd : public ProgramEnd {
public:
    void endNow() override { ++ended_; }
    int ended() const { return ended_; }

private:
    int ended_ = 0;
};

}  // namespace tessaly::test
