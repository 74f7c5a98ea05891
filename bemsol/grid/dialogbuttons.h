#pragma once

class QHBoxLayout;
class QPushButton;

// The 変更 / ｷｬﾝｾﾙ pair every editor dialog ends with: named Command1 and Command2,
// 変更 the default, right-aligned in one row that the dialog adds to its layout.
QHBoxLayout* ChangeCancelRow(QPushButton* change, QPushButton* cancel);
