#include "checkswindow.h"

#include "checkmodels.h"
#include "checks/checkbookform.h"
#include "checks/checktexts.h"
#include "checks/runchecks.h"
#include "document/document.h"

#include <QComboBox>
#include <QDate>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox* millimetreBox(const char* name, double defaultMetres, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setDecimals(1);
    box->setRange(0.1, 999.9);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(defaultMetres * 1000);
    return box;
}

QString tabTitle(const QString& name, int count, int failed)
{
    return failed > 0 ? QStringLiteral("%1 (%2, 不合格 %3)").arg(name).arg(count).arg(failed)
                      : QStringLiteral("%1 (%2)").arg(name).arg(count);
}

} // namespace

ChecksWindow::ChecksWindow(const Document& document, std::function<QSet<int>()> switchedOff,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), switchedOff_(std::move(switchedOff))
{
    setObjectName(QStringLiteral("ChecksWindow"));
    setWindowTitle(QStringLiteral("点検計算"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createSettings());

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setTextFormat(Qt::RichText);
    layout->addWidget(summary_);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    const QString names[] = {QStringLiteral("環閉合差"), QStringLiteral("重複基線"),
                             QStringLiteral("観測条件"), QStringLiteral("点検されていない基線"),
                             QStringLiteral("使用できない基線")};
    for (int t = LoopsTab; t <= UnusableTab; ++t)
        tabs_->addTab(createTable(Tab(t)), names[t]);
    layout->addWidget(tabs_, 1);

    auto* buttons = new QHBoxLayout;
    auto* hint = new QLabel(QStringLiteral("行をﾀﾞﾌﾞﾙｸﾘｯｸすると、その基線をｸﾞﾘｯﾄﾞで選択します。"), this);
    buttons->addWidget(hint, 1);
    printButton_ = new QPushButton(QStringLiteral("印刷"), this);
    printButton_->setObjectName(QStringLiteral("printButton"));
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    buttons->addWidget(printButton_);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(printButton_, &QPushButton::clicked, this, &ChecksWindow::printPreview);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    connect(&document_, &Document::modelReset, this, &ChecksWindow::refresh);
    connect(&document_, &Document::projectEdited, this, &ChecksWindow::refresh);
    resize(980, 620);
    refresh();
}

ChecksWindow::~ChecksWindow() = default;

QWidget* ChecksWindow::createSettings()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);

    classBox_ = new QComboBox(box);
    classBox_->setObjectName(QStringLiteral("classBox"));
    for (int c = 1; c <= 4; ++c)
        classBox_->addItem(SurveyClassText(SurveyClass(c)), c);
    methodBox_ = new QComboBox(box);
    methodBox_->setObjectName(QStringLiteral("methodBox"));
    methodBox_->addItem(ObservationMethodText(ObservationMethod::Static), int(ObservationMethod::Static));
    methodBox_->addItem(ObservationMethodText(ObservationMethod::ShortStatic),
                        int(ObservationMethod::ShortStatic));

    const CheckSettings defaults;
    loopNE_ = millimetreBox("loopLimitNE", defaults.loopLimitNE, box);
    loopU_ = millimetreBox("loopLimitU", defaults.loopLimitU, box);
    repeatNE_ = millimetreBox("repeatLimitNE", defaults.repeatLimitNE, box);
    repeatU_ = millimetreBox("repeatLimitU", defaults.repeatLimitU, box);

    auto* observation = new QFormLayout;
    observation->addRow(QStringLiteral("測量の級"), classBox_);
    observation->addRow(QStringLiteral("観測方法"), methodBox_);
    auto* loops = new QFormLayout;
    loops->addRow(QStringLiteral("環閉合差 ΔN,ΔE (×√N)"), loopNE_);
    loops->addRow(QStringLiteral("環閉合差 ΔU (×√N)"), loopU_);
    auto* repeats = new QFormLayout;
    repeats->addRow(QStringLiteral("重複基線 ΔN,ΔE"), repeatNE_);
    repeats->addRow(QStringLiteral("重複基線 ΔU"), repeatU_);
    auto* defaultsButton = new QPushButton(QStringLiteral("既定値"), box);
    defaultsButton->setObjectName(QStringLiteral("defaultsButton"));
    defaultsButton->setToolTip(QStringLiteral("許容範囲を公共測量の規定の値に戻します"));
    row->addLayout(observation);
    row->addSpacing(16);
    row->addLayout(loops);
    row->addSpacing(16);
    row->addLayout(repeats);
    row->addStretch(1);
    row->addWidget(defaultsButton, 0, Qt::AlignBottom);

    connect(classBox_, &QComboBox::currentIndexChanged, this, &ChecksWindow::classChanged);
    connect(methodBox_, &QComboBox::currentIndexChanged, this, &ChecksWindow::refresh);
    for (QDoubleSpinBox* spin : {loopNE_, loopU_, repeatNE_, repeatU_})
        connect(spin, &QDoubleSpinBox::valueChanged, this, &ChecksWindow::refresh);
    connect(defaultsButton, &QPushButton::clicked, this, &ChecksWindow::restoreDefaults);
    classChanged();
    return box;
}

QTableView* ChecksWindow::createTable(Tab tab)
{
    auto* model = new CheckTableModel(CheckTableModel::Table(tab), this);
    models_[size_t(tab)] = model;
    auto* view = new QTableView(this);
    const char* names[] = {"loopsView", "repeatsView", "conditionsView", "uncheckedView", "unusableView"};
    view->setObjectName(QString::fromLatin1(names[tab]));
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    // The widest text takes the spare width: the loop's points, else the last column;
    // the repeats' last column is only a verdict.
    if (tab == LoopsTab)
        view->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    else
        view->horizontalHeader()->setStretchLastSection(tab != RepeatsTab);
    view->setWordWrap(false);
    connect(view, &QTableView::doubleClicked, this, [this, model](const QModelIndex& index) {
        const QList<int> baselines = model->baselinesAt(index.row());
        if (!baselines.isEmpty())
            emit baselinesChosen(baselines);
    });
    connect(model, &QAbstractItemModel::modelReset, view, [view] { view->resizeColumnsToContents(); });
    return view;
}

CheckSettings ChecksWindow::settings() const
{
    CheckSettings s;
    s.surveyClass = SurveyClass(classBox_->currentData().toInt());
    s.method = ObservationMethod(methodBox_->currentData().toInt());
    s.loopLimitNE = loopNE_->value() / 1000;
    s.loopLimitU = loopU_->value() / 1000;
    s.repeatLimitNE = repeatNE_->value() / 1000;
    s.repeatLimitU = repeatU_->value() / 1000;
    return s;
}

void ChecksWindow::restoreDefaults()
{
    const CheckSettings defaults;
    refreshing_ = true; // one run for the four boxes
    loopNE_->setValue(defaults.loopLimitNE * 1000);
    loopU_->setValue(defaults.loopLimitU * 1000);
    repeatNE_->setValue(defaults.repeatLimitNE * 1000);
    repeatU_->setValue(defaults.repeatLimitU * 1000);
    refreshing_ = false;
    refresh();
}

// Short static observation is for 3級 and 4級 only: offered only there.
void ChecksWindow::classChanged()
{
    const bool shortAllowed = classBox_->currentData().toInt() >= 3;
    auto* items = qobject_cast<QStandardItemModel*>(methodBox_->model());
    if (items)
        items->item(1)->setEnabled(shortAllowed);
    if (!shortAllowed && methodBox_->currentIndex() == 1) {
        refreshing_ = true;
        methodBox_->setCurrentIndex(0);
        refreshing_ = false;
    }
    refresh();
}

void ChecksWindow::refresh()
{
    // During construction the tables do not exist yet; while several boxes change at
    // once only the last change runs the checks.
    if (refreshing_ || !models_.back())
        return;
    Result<CheckResult> checked = RunChecks(document_.model(), switchedOff_ ? switchedOff_() : QSet<int>{},
                                            settings());
    result_ = checked ? std::make_shared<const CheckResult>(std::move(*checked)) : nullptr;
    for (CheckTableModel* model : models_)
        model->setResult(result_);
    printButton_->setEnabled(result_ != nullptr);
    showSummary();
    if (!checked)
        summary_->setText(checked.message());
}

void ChecksWindow::showSummary()
{
    if (!result_)
        return;
    const CheckResult& r = *result_;
    tabs_->setTabText(LoopsTab, tabTitle(QStringLiteral("環閉合差"), int(r.loops.size()), r.failedLoops()));
    tabs_->setTabText(RepeatsTab, tabTitle(QStringLiteral("重複基線"), int(r.repeats.size()), r.failedRepeats()));
    tabs_->setTabText(ConditionsTab,
                      tabTitle(QStringLiteral("観測条件"), int(r.conditions.size()), r.failedConditions()));
    tabs_->setTabText(UncheckedTab,
                      QStringLiteral("点検されていない基線 (%1)").arg(r.unchecked.size()));
    tabs_->setTabText(UnusableTab, QStringLiteral("使用できない基線 (%1)").arg(r.unusable.size()));
    const QString verdict = r.pass()
                                ? QStringLiteral("<b>%1</b>").arg(VerdictText(true))
                                : QStringLiteral("<b><font color=\"#a00000\">%1</font></b>").arg(VerdictText(false));
    summary_->setText(QStringLiteral("基線 %1 (点検に使用 %2, 出力しない %3, 使用できない %4)　"
                                     "環 %5 (不合格 %6)　重複 %7 (不合格 %8)　点検なし %9　"
                                     "観測条件の不適合 %10　　判定: %11")
                          .arg(r.baselineCount)
                          .arg(r.usableCount)
                          .arg(r.switchedOffCount)
                          .arg(r.unusable.size())
                          .arg(r.loops.size())
                          .arg(r.failedLoops())
                          .arg(r.repeats.size())
                          .arg(r.failedRepeats())
                          .arg(r.unchecked.size())
                          .arg(r.failedConditions())
                          .arg(verdict));
}

Outcome ChecksWindow::paintBook(QPrinter* printer)
{
    const CheckBookHeader header{QFileInfo(document_.shownPath()).fileName(), document_.model().swProgram,
                                 QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"))};
    return RenderCheckBook(*result_, header, *printer);
}

void ChecksWindow::printPreview()
{
    if (!result_)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(CheckBookTitle());
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("CheckBookPreview"));
    preview.setWindowTitle(CheckBookTitle());
    Outcome drawn;
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        if (const Outcome outcome = paintBook(target); !outcome)
            drawn = outcome;
    });
    preview.exec();
    if (!drawn)
        QMessageBox::warning(this, windowTitle(), drawn.message);
}
