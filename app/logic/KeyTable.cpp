#include "app/logic/KeyTable.h"

#include "res/Accelerators.h"
#include "res/CommandIds.h"

namespace kov {
namespace {

// X keysyms used below.
enum : uint32_t {
  kKeyReturn = 0xff0d, kKeyKpEnter = 0xff8d, kKeyEscape = 0xff1b, kKeySpace = 0x20,
  kKeyDelete = 0xffff, kKeyKpDecimal = 0xffae, kKeyKpDelete = 0xff9f,
  kKeyKp0 = 0xffb0,
};

struct KeyCommand {
  uint32_t keysym;
  int command;
};

// Keys that work without modifiers: main keyboard and numeric keypad alike.
const KeyCommand kPlainKeys[] = {
    {kKeyReturn, kCmdNextImage},        {kKeyKpEnter, kCmdNextImage},
    {kKeyEscape, kCmdEscape},           {kKeySpace, kCmdToggleSlideShow},
    {kKeyDelete, kCmdReverseDirection}, {kKeyKpDecimal, kCmdReverseDirection},
    {kKeyKpDelete, kCmdReverseDirection},
    {'0', kCmdInterval10}, {kKeyKp0 + 0, kCmdInterval10},
    {'1', kCmdInterval1},  {kKeyKp0 + 1, kCmdInterval1},
    {'2', kCmdInterval2},  {kKeyKp0 + 2, kCmdInterval2},
    {'3', kCmdInterval3},  {kKeyKp0 + 3, kCmdInterval3},
    {'5', kCmdInterval5},  {kKeyKp0 + 5, kCmdInterval5},
    {'f', kCmdInterval15}, {'F', kCmdInterval15},
    {'t', kCmdInterval20}, {'T', kCmdInterval20},
};

int AcceleratorCommand(const KeyPress& key) {
  const AcceleratorTable* table = LoadAccelerators(AcceleratorTableId::kToolbarKeys);
  if (!table) return 0;  // without the table the plain keys still work
  unsigned modifiers = (key.shift ? unsigned(kAccelShift) : 0u) |
                       (key.ctrl ? unsigned(kAccelControl) : 0u) | (key.alt ? unsigned(kAccelAlt) : 0u);
  return TranslateAcceleratorKey(*table, key.keysym, modifiers);
}

}  // namespace

int CommandForKey(const KeyPress& key) {
  if (int command = AcceleratorCommand(key)) return command;
  if (key.ctrl || key.shift || key.alt) return 0;
  for (const KeyCommand& entry : kPlainKeys)
    if (entry.keysym == key.keysym) return entry.command;
  return 0;
}

int CommandForKeyPlace(const KeyPress& key, const uint32_t* keyLevels, size_t levelCount) {
  if (int command = CommandForKey(key)) return command;
  if (key.ctrl || key.shift || key.alt) return 0;
  for (size_t i = 0; i < levelCount; ++i) {
    uint32_t sym = keyLevels[i];
    bool digitOrLatin = (sym >= '0' && sym <= '9') || (sym >= 'a' && sym <= 'z') || (sym >= 'A' && sym <= 'Z');
    if (!digitOrLatin) continue;
    for (const KeyCommand& entry : kPlainKeys)
      if (entry.keysym == sym) return entry.command;
    return 0;  // the key's own letter or digit, and it is not a plain key
  }
  return 0;
}

}  // namespace kov
