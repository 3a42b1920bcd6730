#include "forms/controlmap.h"

#include <QWidget>

void ControlMap::add(std::span<const std::pair<int, QWidget *>> controls)
{
    for (const auto &[id, control] : controls)
        m_controls.insert(id, control);
}

void ControlMap::addCompanion(QWidget *control, QWidget *companion)
{
    m_companions.insert(control, companion);
}

QWidget *ControlMap::find(int id) const
{
    return m_controls.value(id, nullptr);
}

void ControlMap::setEnabled(std::span<const int> ids, bool enabled) const
{
    for (int id : ids) {
        QWidget *control = find(id);
        control->setEnabled(enabled);
        if (QWidget *companion = m_companions.value(control, nullptr))
            companion->setEnabled(enabled);
    }
}
