#pragma once

#include "document/document.h"
#include "document/documentview.h"
#include "model/filelocations.h"
#include "recentfiles.h"
#include "outputs/outputcommands.h"
#include "reports/reportdatabase.h"
#include "reports/reportjob.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

class BaselineGridModel;
class BaselineGridView;
class SessionNameDialog;
class CommonDataDialog;
class PointDialog;
class EquipmentDialog;
class CellEditDialog;
class QMenu;
class UserDialogs;
class AboutDialog;
class ChecksWindow;
class DiagramWindow;

// The main window: the menus, the baseline grid and the popups the grid asks for. The
// project itself lives in the Document; the window passes on what the user chose and
// shows what the Document reports.
class MainWindow : public QMainWindow, public DocumentView
{
    Q_OBJECT

public:
    // `programDir` is the program's folder, where the search for its files
    // (ChangeName.ini, the templates, the manual) begins; `userName` is the user who
    // logged in.
    MainWindow(const QString& programDir, const QString& userName, UserDialogs& dialogs,
          QWidget* parent = nullptr);
    ~MainWindow() override;

    Document& document() { return document_; }
    BaselineGridModel* gridModel() const { return gridModel_; }
    BaselineGridView* grid() const { return grid_; }
    // A menu item or menu by its name ("miOpen", "mnDispTime", "miDisp5", ...).
    QAction* menuItem(const QString& name) const;
    QMenu* menu(const QString& name) const;
    AboutDialog* aboutBox() const;
    // The report database the print menu fills; open from load to unload when it could
    // be opened or created.
    ReportDatabase& reportDatabase() { return reportDatabase_; }
    CellEditDialog* cellEditor() const;
    // The editors of the data-edit menu while they are open.
    SessionNameDialog* sessionEditor() const;
    CommonDataDialog* commonEditor() const;
    PointDialog* pointEditor() const;
    EquipmentDialog* equipmentEditor() const;
    // The session name of the session editor: the current name of the block while it
    // is open, the new name after "変更", empty after "ｷｬﾝｾﾙ".
    const QString& sessionBeingRenamed() const { return sessionBeingRenamed_; }
    // Where the editors open: 1500 twips right of and below the window's corner.
    QPoint editorPosition() const;
    // Where the 成果出力 commands find their files and how they hand them to the desktop,
    // asked anew for every command; tests give one that records instead of launching.
    void setOutputEnvironment(std::function<OutputEnvironment()> environment);

    // 開く(&O) after the question and the dialog: a ".xml" name is imported, a ".dat"
    // name loaded as a project; any other name is ignored.
    void openFile(const QString& path);

    // Where the program's files are found and written.
    const FileLocations& files() const { return files_; }
    // The 最近使ったファイル list of the ﾌｧｲﾙ menu.
    RecentFiles& recentFiles() { return recentFiles_; }

    // DocumentView
    SaveAnswer askSaveChanges() override;
    QString askSaveFileName() override;
    void showOutcome(const Outcome& outcome) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createMenus();
    void loadNameTable();
    void openCommand();
    void showAbout();
    void toggleColumn(int column);
    void chooseTimeView(int item);
    void toggleCellEditMode();
    void openCellEditor();
    void applyCellEdit(const QString& text);
    void gridFunctionKey(int key);
    void printReport(ReportKind kind);
    // 点検計算 and 観測図 (mainwindowviews.cpp): windows over the project and the grid's
    // switches, which point back at baselines in the grid.
    void openChecks();
    void openDiagram();
    void selectBaselines(const QList<int>& baselines);
    void runOutputCommand(OutputCommand command);
    // Editors of the data-edit menu (mainwindoweditors.cpp).
    void connectEditorCommands();
    void closeEditors();
    void showEditor(QDialog* editor);
    void openSessionEditor();
    void applySessionChange(const QString& newName);
    void openCommonEditor();
    void openPointEditor();
    void applyPointChange(const std::optional<QString>& number,
                          const std::optional<QString>& newNumber,
                          const std::optional<QString>& newName);
    void openEquipmentEditor(int field);
    void applyEquipmentChange(const std::optional<QString>& oldValue, const QString& newValue);
    void refillEditors();
    void refreshEditors();
    QStringList equipmentValues() const;
    // Recent files, dropped files, the window's placement and the manual
    // (mainwindowdesktop.cpp).
    void setUpDesktopHabits();
    void addRecentFilesMenu(QMenu* fileMenu);
    void refillRecentFilesMenu();
    void openRecentFile(const QString& path);
    void rememberShownFile();
    void saveWindowPlacement();
    void openManual();

    FileLocations files_;
    RecentFiles recentFiles_;
    QMenu* recentFilesMenu_ = nullptr;
    QString lastRememberedFile_;
    Document document_;
    ReportDatabase reportDatabase_;
    UserDialogs& dialogs_;
    QString userName_;
    BaselineGridModel* gridModel_;
    BaselineGridView* grid_;
    QMenu* allSwMenu_ = nullptr;
    QMenu* dispTimeMenu_ = nullptr;
    QMenu* cellEditMenu_ = nullptr;
    std::array<QAction*, 20> miDisp_{};
    std::array<QAction*, 2> miDispTime_{};
    QPointer<AboutDialog> about_;
    QPointer<ChecksWindow> checksWindow_;
    QPointer<DiagramWindow> diagramWindow_;
    QPointer<CellEditDialog> cellEditor_;
    QPointer<SessionNameDialog> sessionEditor_;
    QPointer<CommonDataDialog> commonEditor_;
    QPointer<PointDialog> pointEditor_;
    QPointer<EquipmentDialog> equipmentEditor_;
    int equipmentField_ = 0; // which of the four fields the equipment editor edits
    // The block of grid rows the session editor renames, kept from its opening.
    int sessionFirstRow_ = -1;
    int sessionLastRow_ = -1;
    QString sessionBeingRenamed_;
    std::function<OutputEnvironment()> outputEnvironment_ = DefaultOutputEnvironment;
};
