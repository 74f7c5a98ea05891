#include "dialogbuttons.h"

#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout* ChangeCancelRow(QPushButton* change, QPushButton* cancel)
{
    change->setObjectName(QStringLiteral("Command1"));
    cancel->setObjectName(QStringLiteral("Command2"));
    change->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(change);
    row->addWidget(cancel);
    return row;
}
