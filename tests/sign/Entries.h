#pragma once

#include "sign/Message.h"

#include <string>
#include <utility>

namespace corvane::test {

// A message as the tests write them: text, way of showing, speed, pause.
inline Message Entry(std::string text, ScrollDirection direction, int speed = 5, int pause = 0)
{
    return {std::move(text), direction, speed, pause};
}

} // namespace corvane::test
