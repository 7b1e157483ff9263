#pragma once

// Uniform single-precision numbers in [0, 1). The program's generator starts from the same seed
// at every start, so the randomizer draws the same sequence after each start; tests give fixed
// draws.
class Random
{
public:
    virtual ~Random() = default;
    virtual float next() = 0;
};
