#include "UndoStack.h"

#include <algorithm>

void UndoStack::Push(GroupStep step)
{
    while (Count() > m_index) {
        m_bytes -= m_sizes.back();
        m_steps.pop_back();
        m_sizes.pop_back();
    }
    if (m_clean > m_index)
        m_clean = -1;
    m_sizes.push_back(step.Bytes());
    m_bytes += m_sizes.back();
    m_steps.push_back(std::move(step));
    ++m_index;
    DropOldest();
}

void UndoStack::DropOldest()
{
    // The newest step stays, whatever it holds.
    while (m_bytes > m_limit && Count() > 1) {
        m_bytes -= m_sizes.front();
        m_steps.pop_front();
        m_sizes.pop_front();
        --m_index;
        m_clean = m_clean > 0 ? m_clean - 1 : -1;
    }
}

GroupStep* UndoStack::Joinable()
{
    if (m_index == 0 || m_index != Count() || m_clean == m_index)
        return nullptr;
    return &m_steps.back();
}

void UndoStack::Rejoined()
{
    m_bytes -= m_sizes.back();
    m_sizes.back() = m_steps.back().Bytes();
    m_bytes += m_sizes.back();
    DropOldest();
}

void UndoStack::Clear()
{
    m_steps.clear();
    m_sizes.clear();
    m_index = 0;
    m_clean = 0;
    m_bytes = 0;
}

bool UndoStack::IsChanged() const
{
    if (m_clean < 0)
        return true;
    const auto from = m_steps.begin() + std::min(m_clean, m_index);
    const auto to = m_steps.begin() + std::max(m_clean, m_index);
    return std::any_of(from, to, [](const GroupStep& step) { return step.Marks; });
}
