#pragma once
// The bodies the program knows, by id, and sets of them.  The id is also the
// body's colour-table entry and, as 870 + id, the string id of its name.
// Every layer speaks this vocabulary, so it sits with the engine at the bottom.
#include <cstdint>

enum class Body : int {
    Sun = 0, Moon = 1, Earth = 2, Mercury = 3, Venus = 4, Mars = 5,
    Jupiter = 6, Saturn = 7, Uranus = 8, Neptune = 9, Pluto = 10,
    Stars = 11,  // not a body: the stars, in the planetarium's sets and choice of centre
};

constexpr int id_of(Body body) { return static_cast<int>(body); }

// A set of bodies: bit b stands for the body with id b (bit 11 the stars).
// Bits above 11 may be set (the Almanac's "every bit") and mean nothing.
struct BodySet {
    std::uint32_t bits = 0;

    constexpr bool contains(int id) const { return id >= 0 && id < 32 && (bits >> id & 1u) != 0; }
    constexpr bool contains(Body body) const { return contains(id_of(body)); }
    constexpr bool empty() const { return bits == 0; }
    constexpr BodySet with(int id) const { return {bits | 1u << id}; }
    constexpr BodySet with(Body body) const { return with(id_of(body)); }
    constexpr BodySet without(int id) const { return {bits & ~(1u << id)}; }
    constexpr BodySet without(Body body) const { return without(id_of(body)); }
    constexpr BodySet operator&(BodySet other) const { return {bits & other.bits}; }
    constexpr BodySet operator|(BodySet other) const { return {bits | other.bits}; }
    constexpr bool operator==(const BodySet&) const = default;
};

// The bodies first..last by id.
constexpr BodySet body_range(Body first, Body last) {
    return {(2u << id_of(last)) - (1u << id_of(first))};
}

constexpr BodySet NO_BODIES{};
constexpr BodySet EVERY_BODY{0xFFFF};  // every bit, as the Almanac asks
constexpr BodySet SUN_AND_MOON = body_range(Body::Sun, Body::Moon);
constexpr BodySet PLANETS = body_range(Body::Mercury, Body::Pluto);
constexpr BodySet EARTH_AND_PLANETS = body_range(Body::Earth, Body::Pluto);
constexpr BodySet EARTH_TO_SATURN = body_range(Body::Earth, Body::Saturn);  // the planets with apsides
constexpr BodySet SKY_BODIES = body_range(Body::Sun, Body::Pluto).without(Body::Earth);
constexpr BodySet PLANETARIUM_VIEW = SKY_BODIES.with(Body::Stars);
