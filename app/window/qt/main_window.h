// frmMain: the main window. Its views build their controls, named as the
// program names them, so that a name in a bug report is the name in the
// code; the window places them as it is sized. What the controls do is wired
// by the classes of each subsystem (OptionsPanel, WordList, CategoryBox,
// SearchRun, ...), which are given the window and connect their own handlers.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "window/qt/form_parts.h"

namespace tessaly {

class CommandRow;
class CriteriaView;
class FileSystem;
class OptionSummary;
class OptionsPanelView;
class ResultTabs;
class StatusRow;

class MainWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Tessaly 4.5";

    // The folder lists read the file system through `files`.
    explicit MainWindow(FileSystem& files, QWidget* parent = nullptr);

    ~MainWindow() override;

    // The views, each with its controls.
    CommandRow& commands() const { return *commands_; }
    CriteriaView& criteria() const { return *criteria_; }
    OptionSummary& summary() const { return *summary_; }
    OptionsPanelView& panel() const { return *panel_; }
    ResultTabs& results() const { return *results_; }
    StatusRow& status() const { return *status_; }

    int pixels(int twips) const { return scale_.pixels(twips); }
    int twips(int pixels) const { return scale_.twips(pixels); }

    // Lays the controls out for the present width (the resize handling).
    void layOut();
    // Where the divider of the results tab stands now, in twips.
    int dividerLeft() const { return dividerLeft_; }
    void setDividerLeft(int twips);
    // Sets the window's width, in twips; the floor still holds.
    void setWidthTwips(int twips);
    int widthTwips() const;
    // The width to keep for the next start, in twips: the last one the
    // window had while it was not minimized.
    int keptWidthTwips() const { return keptWidth_; }
    // Asked before the window closes by its close box; false keeps it open
    // for now (a search run ends first and closes it again).
    void setCloseGuard(std::function<bool()> mayClose) { mayClose_ = std::move(mayClose); }

signals:
    // The window is closing by its close box or the system menu; the close
    // goes ahead after the handlers have run.
    void closing();
    // The person moved the divider and let it go: its new left edge in twips.
    void dividerMoved(int twips);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setReadingTabOrder();
    void dragDivider(int offsetPixels);
    void dropDivider();

    TwipScale scale_;
    std::unique_ptr<CommandRow> commands_;
    std::unique_ptr<CriteriaView> criteria_;
    std::unique_ptr<OptionSummary> summary_;
    std::unique_ptr<OptionsPanelView> panel_;
    std::unique_ptr<ResultTabs> results_;
    std::unique_ptr<StatusRow> status_;
    int dividerLeft_;
    int keptWidth_ = layout::minimumWidth;
    std::function<bool()> mayClose_;
};

}  // namespace tessaly
