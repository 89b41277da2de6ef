#pragma once

// The five commands of the panel on the right, top to bottom. Three are options, each on while its
// caption is not struck through; two are actions.

#include <array>
#include <cstdint>
#include <optional>

namespace vorni {

enum class Command : std::uint8_t { Animation, PlayComputer, NewGame, GameLine, Out };

constexpr std::array<Command, 5> Commands{Command::Animation, Command::PlayComputer, Command::NewGame,
                                          Command::GameLine, Command::Out};
constexpr int CommandCount = static_cast<int>(Commands.size());

// The one place a command is a number: the index of its button CButt(i) and its caption CButtLB(i).
constexpr int indexOf(Command command)
{
    return static_cast<int>(command);
}

// The command of control index 0..4; nothing for any other index.
constexpr std::optional<Command> commandAt(int index)
{
    if (index < 0 || index >= CommandCount)
        return std::nullopt;
    return Commands[static_cast<std::size_t>(index)];
}

constexpr bool isOption(Command command)
{
    return command == Command::Animation || command == Command::PlayComputer || command == Command::GameLine;
}

static_assert(indexOf(Command::Out) == CommandCount - 1 && commandAt(indexOf(Command::GameLine)) == Command::GameLine);

} // namespace vorni
