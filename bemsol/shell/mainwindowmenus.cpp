// The main window's menu tree. Items whose commands belong to later work are present
// with their captions and names, so those commands only need connecting.

#include "mainwindow.h"

#include "aboutdialog.h"
#include "grid/baselinegridmodel.h"
#include "grid/celleditdialog.h"
#include "grid/gridcolumns.h"
#include "outputs/outputcommands.h"
#include "document/document.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* addMenu(QMenuBar* bar, const QString& caption, const char* name)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

// A popup that the grid opens and the menu bar does not show.
QMenu* popupMenu(QWidget* owner, const QString& caption, const char* name)
{
    auto* menu = new QMenu(caption, owner);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* addItem(QMenu* menu, const QString& caption, const QString& name, bool visible = true)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setVisible(visible);
    return item;
}

QAction* addItem(QMenu* menu, const QString& caption, const char* name, bool visible = true)
{
    return addItem(menu, caption, QString::fromLatin1(name), visible);
}

} // namespace

void MainWindow::createMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* file = addMenu(bar, QStringLiteral("ﾌｧｲﾙ(&F)"), "mnFile");
    connect(addItem(file, QStringLiteral("開く(&O)"), "miOpen"), &QAction::triggered, this,
            &MainWindow::openCommand);
    connect(addItem(file, QStringLiteral("上書き保存(&V)"), "miUpdate"), &QAction::triggered,
            &document_, &Document::saveCommand);
    connect(addItem(file, QStringLiteral("名前を付けて保存(&E)"), "miNamed"), &QAction::triggered,
            &document_, &Document::saveAsCommand);
    addRecentFilesMenu(file);
    connect(addItem(file, QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"), "miEnd"), &QAction::triggered,
            this, &QWidget::close);

    QMenu* edit = addMenu(bar, QStringLiteral("ﾃﾞｰﾀ編集(&E)"), "mnDataEdit");
    // The stack names the edit: "元に戻す ｾｯｼｮﾝ名の変更".
    QAction* undo = document_.undoStack().createUndoAction(this, QStringLiteral("元に戻す"));
    undo->setObjectName(QStringLiteral("miUndo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = document_.undoStack().createRedoAction(this, QStringLiteral("やり直し"));
    redo->setObjectName(QStringLiteral("miRedo"));
    // Ctrl+Y as the surveyors' other programs have it, and the desktop's own key too.
    QList<QKeySequence> redoKeys{QKeySequence(Qt::CTRL | Qt::Key_Y)};
    for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!redoKeys.contains(key))
            redoKeys << key;
    redo->setShortcuts(redoKeys);
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    addItem(edit, QStringLiteral("共通ﾃﾞｰﾀ編集"), "miCommon", false);
    addItem(edit, QStringLiteral("ｾｯｼｮﾝ名編集(&S)"), "miSession");
    addItem(edit, QStringLiteral("点名編集(&P)"), "miPointName");
    addItem(edit, QStringLiteral("受信機名称編集(&R)"), "miReceiverName");
    addItem(edit, QStringLiteral("受信機番号編集"), "miReceiverSN", false);
    addItem(edit, QStringLiteral("ｱﾝﾃﾅﾀｲﾌﾟ編集(&A)"), "miAntennaType");
    addItem(edit, QStringLiteral("ｱﾝﾃﾅ番号編集"), "miAntennaSN", false);
    connect(addItem(edit, QStringLiteral("セル編集"), "miCell", false), &QAction::triggered, this,
            &MainWindow::toggleCellEditMode);

    QMenu* display = addMenu(bar, QStringLiteral("表示(&V)"), "mnDisp");
    for (int c = 0; c < GridColumn::Count; ++c) {
        // Column 0 carries the row key and cannot be hidden.
        QAction* item = addItem(display, gridColumnCaption(c), QStringLiteral("miDisp%1").arg(c),
                                c != GridColumn::No);
        item->setCheckable(true);
        item->setChecked(c != GridColumn::No);
        connect(item, &QAction::triggered, this, [this, c] { toggleColumn(c); });
        miDisp_[c] = item;
    }

    QMenu* print = addMenu(bar, QStringLiteral("帳票出力(&P)"), "mnPrint");
    QMenu* syubo = print->addMenu(QStringLiteral("GPS測量観測手簿(&S)"));
    syubo->setObjectName(QStringLiteral("miSyubo"));
    connect(addItem(syubo, QStringLiteral("ｾｯｼｮﾝを考慮して出力"), "miSyuboSession"),
            &QAction::triggered, this, [this] { printReport(ReportKind::FieldBookBySession); });
    connect(addItem(syubo, QStringLiteral("全て出力"), "miSyuboAll"), &QAction::triggered, this,
            [this] { printReport(ReportKind::FieldBookAll); });
    connect(addItem(print, QStringLiteral("GPS測量観測記簿(&K)"), "miKibo"), &QAction::triggered,
            this, [this] { printReport(ReportKind::Record); });
    print->addSeparator();
    connect(addItem(print, QStringLiteral("点検計算(&C)"), "miChecks"), &QAction::triggered, this,
            &MainWindow::openChecks);
    connect(addItem(print, QStringLiteral("観測図(&D)"), "miDiagram"), &QAction::triggered, this,
            &MainWindow::openDiagram);

    QMenu* results = addMenu(bar, QStringLiteral("成果出力(&A)"), "mnSeikaOut");
    // The nine output commands, in menu order with their captions and names.
    for (const SheetTemplate& t : SheetTemplates()) {
        connect(addItem(results, t.caption, t.control), &QAction::triggered, this,
                [this, command = t.command] { runOutputCommand(command); });
    }

    allSwMenu_ = popupMenu(this, QStringLiteral("出力スイッチ"), "AllSw");
    connect(addItem(allSwMenu_, QStringLiteral("全○"), "AllOn"), &QAction::triggered, this,
            [this] { gridModel_->setAllSwitches(true); });
    connect(addItem(allSwMenu_, QStringLiteral("全×"), "AllOff"), &QAction::triggered, this,
            [this] { gridModel_->setAllSwitches(false); });

    dispTimeMenu_ = popupMenu(this, QStringLiteral("表示時間"), "mnDispTime");
    const QString timeCaptions[2] = {QStringLiteral("UTC"), QStringLiteral("UTC+09:00(日本）")};
    for (int k = 0; k < 2; ++k) {
        QAction* item = addItem(dispTimeMenu_, timeCaptions[k], QStringLiteral("miDispTime%1").arg(k));
        item->setCheckable(true);
        item->setChecked(k == 0);
        connect(item, &QAction::triggered, this, [this, k] { chooseTimeView(k); });
        miDispTime_[k] = item;
    }

    cellEditMenu_ = popupMenu(this, QStringLiteral("セル編集"), "mnCellEdit");
    connect(addItem(cellEditMenu_, QStringLiteral("編集"), "miCellEdit"), &QAction::triggered, this,
            &MainWindow::openCellEditor);

    QMenu* help = addMenu(bar, QStringLiteral("ﾍﾙﾌﾟ(&H)"), "mnHelp");
    connect(addItem(help, QStringLiteral("操作説明(&M)"), "miManual"), &QAction::triggered, this,
            &MainWindow::openManual);
    connect(addItem(help, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"), "miVersion"), &QAction::triggered, this,
            &MainWindow::showAbout);

    connectEditorCommands();
}
