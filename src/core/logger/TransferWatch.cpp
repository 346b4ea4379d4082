#include "logger/TransferWatch.h"

namespace bramble {

void TransferWatch::Restart()
{
    m_received = 0;
    m_dataThisTick = false;
}

void TransferWatch::BeginTick() { m_dataThisTick = false; }

void TransferWatch::Received(std::int64_t bytes)
{
    if (bytes <= 0)
        return;
    m_dataThisTick = true;
    m_received += bytes;
}

bool TransferWatch::EndTick() const { return m_received > 0 && !m_dataThisTick; }

}  // namespace bramble
