#pragma once

#include <cstdint>

namespace bramble {

// The logger's end-of-transfer rule. Every timer tick drains the port; a
// tick that brings no byte after data has arrived means the meter has been
// silent for a whole period, and the transfer is over. Before the first
// byte the logger waits for as long as it takes.
class TransferWatch {
public:
    // A new logging session: nothing received yet.
    void Restart();
    // A timer tick begins.
    void BeginTick();
    // The tick delivered `bytes` (> 0) bytes.
    void Received(std::int64_t bytes);
    // The tick is over: true when the transfer has ended.
    bool EndTick() const;

    // Bytes received since Restart.
    std::int64_t ReceivedBytes() const { return m_received; }

private:
    std::int64_t m_received = 0;
    bool m_dataThisTick = false;
};

}  // namespace bramble
