#pragma once

#include <QHash>

#include <span>
#include <utility>

class QWidget;

// A form's controls by their numeric ids, shared by the code and the tests, and the enabling of
// groups of them.
class ControlMap
{
public:
    void add(std::span<const std::pair<int, QWidget *>> controls);
    // `companion` (such as the "%" behind a level) is enabled and disabled with `control`.
    void addCompanion(QWidget *control, QWidget *companion);

    // The control with the given id, or nullptr.
    QWidget *find(int id) const;
    // Every control must be in the map.
    void setEnabled(std::span<const int> ids, bool enabled) const;

private:
    QHash<int, QWidget *> m_controls;
    QHash<QWidget *, QWidget *> m_companions;
};
