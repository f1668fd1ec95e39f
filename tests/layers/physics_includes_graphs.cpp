// SPDX-License-Identifier: MIT
// Physics code that reaches up into the graphs, which lie above it. It must not compile: the
// layer test builds it and expects the compiler not to find the graphs' header.
#include "graphs/graph_frames.h"
#include "sim/flight.h"

int physicsReadingTheGraphs() {
    return 0;
}
