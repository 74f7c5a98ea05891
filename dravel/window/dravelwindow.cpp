#include "dravelwindow.h"

#include "core/numericdatawriter.h"
#include "core/resultsreportreader.h"
#include "userprompts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

DravelWindow::DravelWindow(UserPrompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint),
      prompts_(prompts)
{
    setWindowTitle(QStringLiteral("Dravel"));

    auto* fileLabel = new QLabel(QStringLiteral("読込ファイル"), this);
    fileLabel->setObjectName(QStringLiteral("Label1"));
    reportPath_ = new QLineEdit(this);
    reportPath_->setObjectName(QStringLiteral("Text1"));
    reportPath_->setMinimumWidth(380);
    auto* chooseButton = new QPushButton(QStringLiteral("▼"), this);
    chooseButton->setObjectName(QStringLiteral("Command1"));
    chooseButton->setFixedWidth(chooseButton->sizeHint().height() + 8);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(reportPath_);
    fileRow->addWidget(chooseButton);

    auto* categoryFrame = new QGroupBox(QStringLiteral("作業区分"), this);
    auto* categoryRow = new QHBoxLayout(categoryFrame);
    categoryNew_ = optionWithLabel(QStringLiteral("Option1"), QStringLiteral("Label2"),
                                   QStringLiteral("新設"), categoryRow);
    categoryRecalculation_ = optionWithLabel(QStringLiteral("Option2"), QStringLiteral("Label3"),
                                             QStringLiteral("改算による座標変換"), categoryRow);
    categoryResurvey_ = optionWithLabel(QStringLiteral("Option3"), QStringLiteral("Label4"),
                                        QStringLiteral("改測による座標変換"), categoryRow);
    categoryRow->addStretch();
    categoryNew_->setChecked(true);

    auto* contentLabel = new QLabel(QStringLiteral("作業内容"), this);
    contentLabel->setObjectName(QStringLiteral("Label5"));
    workContent_ = new QLineEdit(this);
    workContent_->setObjectName(QStringLiteral("Text2"));

    auto* datumFrame = new QGroupBox(QStringLiteral("測地系"), this);
    auto* datumRow = new QHBoxLayout(datumFrame);
    datumWorld_ = optionWithLabel(QStringLiteral("Option4"), QStringLiteral("Label6"),
                                  QStringLiteral("世界測地系"), datumRow);
    datumJapan_ = optionWithLabel(QStringLiteral("Option5"), QStringLiteral("Label7"),
                                  QStringLiteral("日本測地系"), datumRow);
    datumWorld_->setChecked(true);

    auto* zoneLabel = new QLabel(QStringLiteral("平面直角座標系"), this);
    zoneLabel->setObjectName(QStringLiteral("Label8"));
    zone_ = new QLineEdit(this);
    zone_->setObjectName(QStringLiteral("Text3"));
    // Room for a one- or two-digit zone number.
    zone_->setFixedWidth(zone_->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    auto* zoneColumn = new QVBoxLayout;
    zoneColumn->addStretch();
    zoneColumn->addWidget(zoneLabel);
    zoneColumn->addWidget(zone_);
    auto* datumRowOuter = new QHBoxLayout;
    datumRowOuter->addWidget(datumFrame);
    datumRowOuter->addSpacing(16);
    datumRowOuter->addLayout(zoneColumn);
    datumRowOuter->addStretch();

    auto* writeButton = new QPushButton(QStringLiteral("書込"), this);
    writeButton->setObjectName(QStringLiteral("Command2"));
    auto* writeRow = new QHBoxLayout;
    writeRow->addStretch();
    writeRow->addWidget(writeButton);
    writeRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileLabel);
    layout->addLayout(fileRow);
    layout->addWidget(categoryFrame);
    layout->addWidget(contentLabel);
    layout->addWidget(workContent_);
    layout->addLayout(datumRowOuter);
    layout->addSpacing(8);
    layout->addLayout(writeRow);
    // A fixed border: the window keeps the size its contents need.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(chooseButton, &QPushButton::clicked, this, &DravelWindow::chooseReport);
    connect(writeButton, &QPushButton::clicked, this, &DravelWindow::write);
}

QRadioButton* DravelWindow::optionWithLabel(const QString& optionName, const QString& labelName,
                                            const QString& text, QBoxLayout* into)
{
    QWidget* frame = into->parentWidget();
    auto* option = new QRadioButton(frame);
    option->setObjectName(optionName);
    option->setAccessibleName(text);
    auto* label = new QLabel(text, frame);
    label->setObjectName(labelName);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    label->installEventFilter(this);
    optionOfLabel_.insert(label, option);
    auto* pair = new QHBoxLayout;
    pair->setSpacing(2);
    pair->addWidget(option);
    pair->addWidget(label);
    into->addLayout(pair);
    into->addSpacing(12);
    return option;
}

bool DravelWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* label = qobject_cast<QLabel*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (QRadioButton* option = optionOfLabel_.value(watched); option && label
            && mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
            option->setChecked(true);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

NumericDataOptions DravelWindow::options() const
{
    NumericDataOptions o;
    if (categoryRecalculation_->isChecked())
        o.workCategory = WorkCategory::ConversionByRecalculation;
    else if (categoryResurvey_->isChecked())
        o.workCategory = WorkCategory::ConversionByResurvey;
    else
        o.workCategory = WorkCategory::New;
    o.workContent = workContent_->text();
    o.datum = datumJapan_->isChecked() ? GeodeticDatum::Japan : GeodeticDatum::World;
    o.zone = zone_->text();
    return o;
}

void DravelWindow::chooseReport()
{
    const QString path = prompts_.openFileName(
        this, QStringLiteral("HTMLﾌｧｲﾙ(*.htm)"),
        QStringLiteral("HTMLﾌｧｲﾙを選択して「開く」ボタンを選択してください"));
    if (!path.isEmpty())
        reportPath_->setText(path);
}

void DravelWindow::write()
{
    if (reportPath_->text().isEmpty()) {
        prompts_.tell(this, QStringLiteral("読込ファイル名を入力してください"));
        return;
    }
    // Said before the save dialog, so the user does not pick a file for nothing.
    const NumericDataOptions chosen = options();
    if (const dravel::Outcome f = NumericDataWriter::checkOptions(chosen); !f) {
        prompts_.tell(this, f.message);
        return;
    }
    const QString output = prompts_.saveFileName(this, QString(), QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)"),
                                                 QStringLiteral("保存するファイル名を入力してください"));
    if (output.isEmpty())
        return;

    const ReportReading report = readResultsReport(reportPath_->text());
    if (!report.outcome) {
        prompts_.tell(this, report.outcome.message);
        return;
    }
    if (const dravel::Outcome f = NumericDataWriter::write(output, report.points, chosen); !f) {
        prompts_.tell(this, f.message);
        return;
    }
    close();
}
