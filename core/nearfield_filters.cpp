// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/nearfield_filters.h"

#include "core/WiderVectors.h"

// Quads pass only between this file's functions, which are inlined into each
// variant: the calling convention of a 32-byte vector never comes into play.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace sferant
{

namespace
{

// One section for both sources, {left, right}: both run the same filters.
typedef double Pair __attribute__((vector_size(16)));

// Two sections for both sources: the first's {left, right}, then the second's.
// Quad where the instruction set has four-lane vectors; two Pairs where it has
// not (a Quad would go through memory there).
typedef double Quad __attribute__((vector_size(32)));

struct TwoPairs
{
    Pair low, high;
};

TwoPairs operator+(TwoPairs a, TwoPairs b)
{
    return {a.low + b.low, a.high + b.high};
}
TwoPairs operator-(TwoPairs a, TwoPairs b)
{
    return {a.low - b.low, a.high - b.high};
}
TwoPairs operator*(TwoPairs a, TwoPairs b)
{
    return {a.low * b.low, a.high * b.high};
}
TwoPairs operator/(TwoPairs a, TwoPairs b)
{
    return {a.low / b.low, a.high / b.high};
}

template <class Wide> Wide join(Pair low, Pair high);
template <> Quad join<Quad>(Pair low, Pair high)
{
    return __builtin_shufflevector(low, high, 0, 1, 2, 3);
}
template <> TwoPairs join<TwoPairs>(Pair low, Pair high)
{
    return {low, high};
}

Pair lowHalf(Quad v)
{
    return __builtin_shufflevector(v, v, 0, 1);
}
Pair highHalf(Quad v)
{
    return __builtin_shufflevector(v, v, 2, 3);
}
Pair lowHalf(TwoPairs v)
{
    return v.low;
}
Pair highHalf(TwoPairs v)
{
    return v.high;
}

// Direct form I: y = (b0 x + b1 x1 - a1 y1) / a0.
template <class Lanes> struct FirstOrderFilter
{
    Lanes b0, b1, a0, a1;
    Lanes x1, y1;

    Lanes run(Lanes x)
    {
        const Lanes y = (b0 * x + b1 * x1 - a1 * y1) / a0;
        x1 = x;
        y1 = y;
        return y;
    }
};

// Direct form II with the coefficients divided by the denominator's c0.
template <class Lanes> struct SecondOrderFilter
{
    Lanes a1, a2, b0, b1, b2;
    Lanes s1, s2;

    Lanes run(Lanes x)
    {
        const Lanes w = x - a1 * s1 - a2 * s2;
        const Lanes y = b0 * w + b1 * s1 + b2 * s2;
        s2 = s1;
        s1 = w;
        return y;
    }
};

Pair both(double v)
{
    return Pair{v, v};
}

Pair stateAt(const FilterState& s, int at)
{
    return Pair{s.nfcStateL[at], s.nfcStateR[at]};
}

FirstOrderFilter<Pair> firstOrder(const FirstOrderSection& c, const FilterState& s, int at)
{
    return {both(c.b0), both(c.b1), both(c.a0), both(c.a1), stateAt(s, at), stateAt(s, at + 1)};
}

SecondOrderFilter<Pair> secondOrder(const SecondOrderSection& c, const FilterState& s, int at)
{
    return {both(c.a1), both(c.a2),         both(c.b0),        both(c.b1),
            both(c.b2), stateAt(s, at + 1), stateAt(s, at + 2)};
}

// Two sections as one filter of twice the width: where the instruction set
// has the width, one operation serves four lanes.
template <class Wide>
FirstOrderFilter<Wide> join(const FirstOrderFilter<Pair>& f, const FirstOrderFilter<Pair>& g)
{
    return {join<Wide>(f.b0, g.b0), join<Wide>(f.b1, g.b1), join<Wide>(f.a0, g.a0),
            join<Wide>(f.a1, g.a1), join<Wide>(f.x1, g.x1), join<Wide>(f.y1, g.y1)};
}

template <class Wide>
SecondOrderFilter<Wide> join(const SecondOrderFilter<Pair>& f, const SecondOrderFilter<Pair>& g)
{
    return {join<Wide>(f.a1, g.a1), join<Wide>(f.a2, g.a2), join<Wide>(f.b0, g.b0),
            join<Wide>(f.b1, g.b1), join<Wide>(f.b2, g.b2), join<Wide>(f.s1, g.s1),
            join<Wide>(f.s2, g.s2)};
}

void put(FilterState& s, int at, Pair v)
{
    s.nfcStateL[at] = v[0];
    s.nfcStateR[at] = v[1];
}

void keep(Pair x1, Pair y1, FilterState& s, int at)
{
    put(s, at, x1);
    put(s, at + 1, y1);
}

// w is only a scratch copy between samples: after a sample it equals s1.
void keepSecondOrder(Pair s1, Pair s2, FilterState& s, int at)
{
    put(s, at, s1);
    put(s, at + 1, s1);
    put(s, at + 2, s2);
}

template <class Wide> void keepLow(const FirstOrderFilter<Wide>& f, FilterState& s, int at)
{
    keep(lowHalf(f.x1), lowHalf(f.y1), s, at);
}
template <class Wide> void keepHigh(const FirstOrderFilter<Wide>& f, FilterState& s, int at)
{
    keep(highHalf(f.x1), highHalf(f.y1), s, at);
}
template <class Wide> void keepLow(const SecondOrderFilter<Wide>& f, FilterState& s, int at)
{
    keepSecondOrder(lowHalf(f.s1), lowHalf(f.s2), s, at);
}
template <class Wide> void keepHigh(const SecondOrderFilter<Wide>& f, FilterState& s, int at)
{
    keepSecondOrder(highHalf(f.s1), highHalf(f.s2), s, at);
}

void write(SourceSignals& signals, int n, int i, Pair v)
{
    signals.left[n][i] = v[0];
    signals.right[n][i] = v[1];
}

// Every order's filter for one chunk; orders above Order are not touched. The
// sections go in pairs that take their input at the same moment: the real
// root sections of orders 1 and 3, the first sections of orders 2 and 3, the
// first and the second sections of orders 4 and 5. A pair runs whole even when
// Order needs only its first section; the other's result and state are let go.
template <int Order, class Wide>
SFERANT_INLINE void runOrders(const NearFieldDesign& d, FilterState& state, SourceSignals& signals,
                              int first, int count)
{
    auto realRootsOf1And3 = join<Wide>(firstOrder(d.order1, state, kOrder1Real),
                                       firstOrder(d.order3, state, kOrder3Real));
    auto firstPairsOf2And3 = join<Wide>(secondOrder(d.order2, state, kOrder2Pair),
                                        secondOrder(d.order3Pair1, state, kOrder3Pair1));
    auto firstPairsOf4And5 = join<Wide>(secondOrder(d.order4Pair1, state, kOrder4Pair1),
                                        secondOrder(d.order5Pair1, state, kOrder5Pair1));
    auto secondPairsOf4And5 = join<Wide>(secondOrder(d.order4Pair2, state, kOrder4Pair2),
                                         secondOrder(d.order5Pair2, state, kOrder5Pair2));
    auto realRootOf5 = firstOrder(d.order5, state, kOrder5Real);
    Pair between3 = stateAt(state, kOrder3Between);
    Pair between5 = stateAt(state, kOrder5Between);

    for (int i = first; i < first + count; ++i)
    {
        const Pair x = {signals.left[0][i], signals.right[0][i]};
        const Wide xx = join<Wide>(x, x);
        if constexpr (Order >= 2)
        {
            const Wide y = firstPairsOf2And3.run(xx);
            write(signals, 2, i, lowHalf(y));
            between3 = highHalf(y);
        }
        const Wide y1And3 = realRootsOf1And3.run(join<Wide>(x, between3));
        write(signals, 1, i, lowHalf(y1And3));
        if constexpr (Order >= 3) write(signals, 3, i, highHalf(y1And3));
        if constexpr (Order >= 4)
        {
            const Wide y = secondPairsOf4And5.run(firstPairsOf4And5.run(xx));
            write(signals, 4, i, lowHalf(y));
            between5 = highHalf(y);
        }
        if constexpr (Order >= 5) write(signals, 5, i, realRootOf5.run(between5));
    }

    keepLow(realRootsOf1And3, state, kOrder1Real);
    if constexpr (Order >= 2) keepLow(firstPairsOf2And3, state, kOrder2Pair);
    if constexpr (Order >= 3)
    {
        keepHigh(firstPairsOf2And3, state, kOrder3Pair1);
        keepHigh(realRootsOf1And3, state, kOrder3Real);
        put(state, kOrder3Between, between3);
    }
    if constexpr (Order >= 4)
    {
        keepLow(firstPairsOf4And5, state, kOrder4Pair1);
        keepLow(secondPairsOf4And5, state, kOrder4Pair2);
    }
    if constexpr (Order >= 5)
    {
        keepHigh(firstPairsOf4And5, state, kOrder5Pair1);
        keepHigh(secondPairsOf4And5, state, kOrder5Pair2);
        keep(realRootOf5.x1, realRootOf5.y1, state, kOrder5Real);
        put(state, kOrder5Between, between5);
    }
}

template <class Wide>
SFERANT_INLINE void runUpTo(int order, const NearFieldDesign& design, FilterState& state,
                            SourceSignals& signals, int first, int count)
{
    switch (order)
    {
    case 1:
        return runOrders<1, Wide>(design, state, signals, first, count);
    case 2:
        return runOrders<2, Wide>(design, state, signals, first, count);
    case 3:
        return runOrders<3, Wide>(design, state, signals, first, count);
    case 4:
        return runOrders<4, Wide>(design, state, signals, first, count);
    case 5:
        return runOrders<5, Wide>(design, state, signals, first, count);
    default:
        return;
    }
}

using FilterFunction = void (*)(int, const NearFieldDesign&, FilterState&, SourceSignals&, int,
                                int);

void runPlain(int order, const NearFieldDesign& design, FilterState& state, SourceSignals& signals,
              int first, int count)
{
    runUpTo<TwoPairs>(order, design, state, signals, first, count);
}

// The wider sets run a pair of sections in one operation and bring more
// registers, which keep the nine sections' state out of memory.
SFERANT_AVX2 void runAvx2(int order, const NearFieldDesign& design, FilterState& state,
                          SourceSignals& signals, int first, int count)
{
    runUpTo<Quad>(order, design, state, signals, first, count);
}

SFERANT_AVX512 void runAvx512(int order, const NearFieldDesign& design, FilterState& state,
                              SourceSignals& signals, int first, int count)
{
    runUpTo<Quad>(order, design, state, signals, first, count);
}

const FilterFunction runWidest = widestOf<FilterFunction>(runPlain, runAvx2, runAvx512);

} // namespace

void runNearFieldFilters(const NearFieldDesign& design, int order, FilterState& state,
                         SourceSignals& signals, int first, int count)
{
    runWidest(order, design, state, signals, first, count);
}

} // namespace sferant
