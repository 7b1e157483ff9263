#pragma once

#include "platform/Random.h"

#include <cstdint>
#include <random>

// The program's generator: a Mersenne twister from a fixed seed, its numbers cut to the 24 bits a
// float holds exactly, so every number is one of k / 2^24 and never 1.
class SeededRandom : public Random
{
public:
    static constexpr std::uint32_t Seed = 19980925;
    SeededRandom() : m_engine(Seed) {}
    float next() override { return float(m_engine() >> 8) / float(1u << 24); }

private:
    std::mt19937 m_engine;
};
