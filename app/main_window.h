// The main window (Tcvw): menus and tool buttons from the command table, the score view,
// the status labels and the question panel that guards unsaved work.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/file_commands.h"
#include "app/practice_choices.h"
#include "app/recording_import.h"
#include "app/session.h"
#include "output/page_image.h"
#include "platform/dialogs.h"
#include "platform/midi_out.h"
#include "platform/qt_clipboard.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QScrollArea;
class QToolButton;

namespace shinofu::app {

class MemoWindow;
class PlaybackController;
class PlaySettingsWindow;
class TunerWindow;
class PlayAlong;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Session& session, platform::Dialogs& dialogs, std::unique_ptr<platform::MidiOut> midi,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The action at a caption path of the main or pop-up menu ("ファイル&F › 新規作成&N").
    QAction* action(const std::string& path) const;
    QToolButton* tool(const std::string& hint) const;
    QMenu* popup() const { return popup_; }
    // Where on the score view the pop-up menu was last opened.
    QPoint popupPoint() const { return popupAt_; }
    MemoWindow* memo() const { return memo_; }
    platform::Dialogs& dialogs() { return dialogs_; }
    platform::Clipboard& clipboard() { return clipboard_; }
    PlaybackController& playback() { return *playback_; }
    PlaySettingsWindow* playSettings() const { return playSettings_; }
    TunerWindow* tuner() const { return tuner_; }
    PlayAlong* playAlong() const { return playAlong_.get(); }
    PracticeChoices& practice() { return practice_; }
    bool questionShown() const;
    // "中止" on the progress display.
    void cancelBuild() { buildCancelled_ = true; }
    void answerQuestion();  // "閉じる" on the question panel: the changes are given up
    void saveAndGoOn();     // "保存" on it: saved, then the command that asked goes ahead
    QString statusText(const char* labelName) const;
    void setStatusText(const char* labelName, const QString& text);
    void showNotice();  // why the last command did nothing, if it said so
    const QImage& viewImage() const { return viewImage_; }
    const output::DrawingResources& resources() const { return resources_; }
    const render::PageItems& pageItems() const { return items_; }

    // Opens a score named on the command line, once every window exists.
    void openAtStart(const std::filesystem::path& file);
    void redraw();
    // Shows a picture in the score view in place of the page, until the next redraw (the entry preview).
    void showPicture(const QImage& picture);
    // "画面クリア": the view image in the background colour alone.
    void clearView();

    // Command bindings of the areas (view_commands.cpp, ...): the entry becomes enabled and calls the handler.
    void bind(const std::string& path, std::function<void()> handler);
    // Undoes (back) or redoes one step; false when there was none.
    bool stepThroughHistory(bool back);
    // "上書き保存"; whether the score was written.
    bool overwriteSave();
    // After a user action: its change of the score becomes an undo step, and a measure that the
    // change made overfull is named in the status bar.
    void recordStep(const std::string& caption);
    void bindTool(const std::string& hint, std::function<void()> handler);
    QMenu* submenu(const std::string& path) const;
    QScrollArea* scrollArea() const { return scroll_; }
    QLabel* scoreView() const { return view_; }
    void scrollToTop();
    // The height of the window below its menu bar.
    int clientHeight() const;
    void updateStatus();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildStatusBar();
    void buildCompanionWindows();
    void bindCommands();
    void setNumericDisplay(bool on);
    // Add mode at the end of the current part, its cursor shown.
    void startAdding();
    // Runs the command unless unsaved work would be lost; then the question panel shows instead.
    void guarded(const std::function<void()>& command);
    void showQuestion();
    void placePositionPanel();
    void setTitleFor(const std::filesystem::path& file);

    void newScore();
    void openScore(OpenKind kind);
    void startSongData();
    void finishSongData();
    void showHelp();
    // After an import replaced the score: its title, what could not be shown, its tempo.
    void showImportedScore(const std::vector<std::string>& notices);
    void makeMidiFile();
    // "録音から採譜": the file, the choices, then the hearing with its progress and "中止".
    void transcribeRecording();
    // The undo and redo entries name the step they would take, and are off without one.
    void showHistorySteps();
    void announceOverfull();  // names in the status bar each part's overfull measure once, when it appears
    void announceCrowding();  // names in the status bar the items of the page in view that overlap for want of room
    // Runs a long build or render with the progress display and its "中止", the menus held meanwhile.
    void withProgress(const std::function<void(const std::function<bool(double)>&)>& work);
    // The progress display of a long build; false once "中止" was pressed.
    bool buildProgress(double done);

    Session& session_;
    platform::Dialogs& dialogs_;
    std::unique_ptr<platform::MidiOut> midi_;
    std::map<std::string, QAction*> actions_;
    std::map<std::string, QMenu*> submenus_;
    QMenu* popup_ = nullptr;
    QPoint popupAt_;
    QScrollArea* scroll_ = nullptr;
    QLabel* view_ = nullptr;
    QImage viewImage_;
    render::PageItems items_;  // where the shown page's symbols and marks were drawn
    QFrame* question_ = nullptr;
    QLabel* questionText_ = nullptr;
    QFrame* progress_ = nullptr;
    QFrame* positionPanel_ = nullptr;
    bool buildCancelled_ = false;
    RecordingChoices recordingChoices_;  // the transcription dialog opens on the last ones
    std::function<void()> pendingCommand_;  // what the question panel holds back
    std::map<std::string, QLabel*> labels_;
    std::map<std::string, QToolButton*> tools_;
    MemoWindow* memo_ = nullptr;
    output::DrawingResources resources_;
    platform::QtClipboard clipboard_;
    PracticeChoices practice_ = readPracticeChoices();
    // Declared after the MIDI output: the performances end before the output goes.
    std::unique_ptr<PlaybackController> playback_;
    std::unique_ptr<PlayAlong> playAlong_;
    PlaySettingsWindow* playSettings_ = nullptr;
    TunerWindow* tuner_ = nullptr;
};

}  // namespace shinofu::app
