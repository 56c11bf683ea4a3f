// The bench's clock: how much laboratory time one step of the simulation stands for. At the
// normal speed the bench takes a step every three ticks of its 100 ms timer, so that there a
// practice runs as fast as the real one and a stopwatch on the bench keeps time with the
// wall's clock. The speed slider and pauses change how often steps come, never what one
// stands for: rates, cooling, the log and the stopwatch all count in these seconds.
#pragma once

namespace Reloj {
inline constexpr double kSegundosPorPaso = 0.3;
} // namespace Reloj
