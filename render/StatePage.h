#pragma once
// The monitoring service's page: the annotated chart with Max, Now and Min,
// the last change and the stale and alarm states, in Japanese. Its own HTML,
// CSS and a few lines of script, served from memory; it polls state.json and
// swaps the picture when a new one is there, without reloading.

#include <string_view>

std::string_view statePageHtml();
