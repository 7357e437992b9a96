#pragma once

#include "GroupStep.h"

#include <deque>

// The steps of the group's history, bounded by the memory they hold (the
// oldest dropped first), with the place of the state last saved or opened.
class UndoStack {
public:
    static constexpr qint64 DefaultLimit = qint64(64) * 1024 * 1024;

    explicit UndoStack(qint64 byteLimit = DefaultLimit)
        : m_limit(byteLimit)
    {
    }

    // A new step drops the steps that were undone.
    void Push(GroupStep step);
    // The step just done, when a step may still join it: nothing undone and
    // not the saved state.
    [[nodiscard]] GroupStep* Joinable();
    // The joined step's memory counted again.
    void Rejoined();

    [[nodiscard]] bool CanUndo() const { return m_index > 0; }
    [[nodiscard]] bool CanRedo() const { return m_index < Count(); }
    [[nodiscard]] const GroupStep& NextUndo() const { return m_steps[size_t(m_index - 1)]; }
    [[nodiscard]] const GroupStep& NextRedo() const { return m_steps[size_t(m_index)]; }
    const GroupStep& Undo() { return m_steps[size_t(--m_index)]; }
    const GroupStep& Redo() { return m_steps[size_t(m_index++)]; }

    // No steps; the group as it stands is the saved state.
    void Clear();
    void SetClean() { m_clean = m_index; }
    // The saved state is no longer in the history.
    void ForgetClean() { m_clean = -1; }
    // Whether what a save writes differs from the saved state.
    [[nodiscard]] bool IsChanged() const;

    [[nodiscard]] int Count() const { return int(m_steps.size()); }
    [[nodiscard]] qint64 Bytes() const { return m_bytes; }

private:
    void DropOldest();

    std::deque<GroupStep> m_steps;
    std::deque<qint64> m_sizes;
    int m_index = 0;
    // -1 once the saved state can no longer be reached.
    int m_clean = 0;
    qint64 m_bytes = 0;
    qint64 m_limit;
};
