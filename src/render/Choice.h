#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zephyra {

// One choice of an option: its name in files and on the command line, its label in the dialogs.
template <typename E> struct Choice {
    std::string_view name;
    std::string_view label;
    E value;
};

template <typename E, std::size_t N>
[[nodiscard]] constexpr std::optional<E> ChoiceNamed(const std::array<Choice<E>, N>& choices,
                                                     std::string_view name)
{
    for (const Choice<E>& c : choices)
        if (c.name == name)
            return c.value;
    return std::nullopt;
}

// Where `value` stands in `choices` (its index in a dialog's list).
template <typename E, std::size_t N>
[[nodiscard]] constexpr int ChoiceIndex(const std::array<Choice<E>, N>& choices, E value)
{
    for (std::size_t i = 0; i < N; ++i)
        if (choices[i].value == value)
            return static_cast<int>(i);
    return 0;
}

// "log, eqhist, gamma or linear".
template <typename E, std::size_t N>
[[nodiscard]] std::string ChoiceNames(const std::array<Choice<E>, N>& choices)
{
    std::string text;
    for (std::size_t i = 0; i < N; ++i) {
        text.append(i == 0 ? "" : i + 1 == N ? " or " : ", ");
        text.append(choices[i].name);
    }
    return text;
}

} // namespace zephyra
