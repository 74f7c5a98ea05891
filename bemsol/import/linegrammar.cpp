#include "linegrammar.h"

QStringView TagNameOf(QStringView line)
{
    const qsizetype lt = line.indexOf(u'<');
    QStringView rest = lt < 0 ? line : line.mid(lt + 1);
    const qsizetype gt = rest.indexOf(u'>');
    if (gt < 0)
        return {};
    rest = rest.left(gt);
    const qsizetype space = rest.indexOf(u' ');
    return space < 0 ? rest : rest.left(space);
}

QStringView ValueOf(QStringView line)
{
    const qsizetype gt = line.indexOf(u'>');
    if (gt < 0)
        return {};
    const qsizetype lt = line.indexOf(u'<', gt + 1);
    if (lt < 0)
        return {};
    QStringView value = line.mid(gt + 1, lt - gt - 1);
    while (!value.isEmpty() && value.front() == u' ')
        value = value.mid(1);
    while (!value.isEmpty() && value.back() == u' ')
        value.chop(1);
    return value;
}
