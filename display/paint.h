// The whole client area of Form1 repainted from nothing (no spikes).
#pragma once

void paintform();
