#pragma once
// Which kind of input file a text looks like, so that a file that fails to read as one kind can be told to be
// another (the element plan chosen under the intersection-point option, the superelevation table chosen as the
// chain breaks).
#include <optional>
#include <string_view>

namespace tavrel {

enum class InputKind { IntersectionPointPlan, ElementPlan, ChainBreaks, Profile, Superelevation, Layout };

// The kind whose layout the decoded text of a whole file has, judged on its first non-blank lines: the header
// (a road name, four numbers, a skew angle or none) and the shape of the records after it. nullopt when it looks
// like none of them, or when its lines do not agree on one.
std::optional<InputKind> GuessInputKind(std::string_view text);

// The kind as the user knows it: "平面资料（交点法—主线）", "断链资料", ...
std::string_view InputKindName(InputKind kind);

}  // namespace tavrel
