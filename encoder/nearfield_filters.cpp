#include "encoder/nearfield_filters.h"

#include "encoder/WiderVectors.h"

namespace sferant
{

namespace
{

// The left and the right source side by side: both run the same filters, so
// one vector operation serves the two.
typedef double Lanes __attribute__((vector_size(16)));

Lanes broadcast(double v)
{
    return Lanes{v, v};
}

// Direct form I: y = (b0 x + b1 x1 - a1 y1) / a0.
struct FirstOrderFilter
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
struct SecondOrderFilter
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

FirstOrderFilter firstOrder(const FirstOrderSection& c, const FilterState& s, int at)
{
    return {broadcast(c.b0),
            broadcast(c.b1),
            broadcast(c.a0),
            broadcast(c.a1),
            Lanes{s.nfcStateL[at], s.nfcStateR[at]},
            Lanes{s.nfcStateL[at + 1], s.nfcStateR[at + 1]}};
}

SecondOrderFilter secondOrder(const SecondOrderSection& c, const FilterState& s, int at)
{
    return {broadcast(c.a1),
            broadcast(c.a2),
            broadcast(c.b0),
            broadcast(c.b1),
            broadcast(c.b2),
            Lanes{s.nfcStateL[at + 1], s.nfcStateR[at + 1]},
            Lanes{s.nfcStateL[at + 2], s.nfcStateR[at + 2]}};
}

void put(FilterState& s, int at, Lanes v)
{
    s.nfcStateL[at] = v[0];
    s.nfcStateR[at] = v[1];
}

void keep(const FirstOrderFilter& f, FilterState& s, int at)
{
    put(s, at, f.x1);
    put(s, at + 1, f.y1);
}

// w is only a scratch copy between samples: after a sample it equals s1.
void keep(const SecondOrderFilter& f, FilterState& s, int at)
{
    put(s, at, f.s1);
    put(s, at + 1, f.s1);
    put(s, at + 2, f.s2);
}

void write(SourceSignals& signals, int n, int i, Lanes v)
{
    signals.left[n][i] = v[0];
    signals.right[n][i] = v[1];
}

// Every order's filter for one chunk; orders above Order are not touched.
template <int Order>
SFERANT_INLINE void runOrders(const NearFieldDesign& d, FilterState& state, SourceSignals& signals,
                              int count)
{
    FirstOrderFilter o1 = firstOrder(d.order1, state, 20);
    SecondOrderFilter o2 = secondOrder(d.order2, state, 0);
    SecondOrderFilter o3a = secondOrder(d.order3Pair1, state, 3);
    FirstOrderFilter o3b = firstOrder(d.order3, state, 22);
    SecondOrderFilter o4a = secondOrder(d.order4Pair1, state, 9);
    SecondOrderFilter o4b = secondOrder(d.order4Pair2, state, 6);
    SecondOrderFilter o5a = secondOrder(d.order5Pair1, state, 15);
    SecondOrderFilter o5b = secondOrder(d.order5Pair2, state, 12);
    FirstOrderFilter o5c = firstOrder(d.order5, state, 24);
    Lanes between3 = {state.nfcStateL[18], state.nfcStateR[18]};
    Lanes between5 = {state.nfcStateL[19], state.nfcStateR[19]};

    for (int i = 0; i < count; ++i)
    {
        const Lanes x = {signals.left[0][i], signals.right[0][i]};
        write(signals, 1, i, o1.run(x));
        if constexpr (Order >= 2) write(signals, 2, i, o2.run(x));
        if constexpr (Order >= 3)
        {
            between3 = o3a.run(x);
            write(signals, 3, i, o3b.run(between3));
        }
        if constexpr (Order >= 4) write(signals, 4, i, o4b.run(o4a.run(x)));
        if constexpr (Order >= 5)
        {
            between5 = o5b.run(o5a.run(x));
            write(signals, 5, i, o5c.run(between5));
        }
    }

    keep(o1, state, 20);
    if constexpr (Order >= 2) keep(o2, state, 0);
    if constexpr (Order >= 3)
    {
        keep(o3a, state, 3);
        keep(o3b, state, 22);
        put(state, 18, between3);
    }
    if constexpr (Order >= 4)
    {
        keep(o4a, state, 9);
        keep(o4b, state, 6);
    }
    if constexpr (Order >= 5)
    {
        keep(o5a, state, 15);
        keep(o5b, state, 12);
        keep(o5c, state, 24);
        put(state, 19, between5);
    }
}

SFERANT_INLINE void runUpTo(int order, const NearFieldDesign& design, FilterState& state,
                            SourceSignals& signals, int count)
{
    switch (order)
    {
    case 1:
        return runOrders<1>(design, state, signals, count);
    case 2:
        return runOrders<2>(design, state, signals, count);
    case 3:
        return runOrders<3>(design, state, signals, count);
    case 4:
        return runOrders<4>(design, state, signals, count);
    case 5:
        return runOrders<5>(design, state, signals, count);
    default:
        return;
    }
}

using FilterFunction = void (*)(int, const NearFieldDesign&, FilterState&, SourceSignals&, int);

void runPlain(int order, const NearFieldDesign& design, FilterState& state, SourceSignals& signals,
              int count)
{
    runUpTo(order, design, state, signals, count);
}

// The two lanes stay two lanes; the wider sets bring more registers and
// three-operand instructions, which keep the nine sections' state out of memory.
SFERANT_AVX2 void runAvx2(int order, const NearFieldDesign& design, FilterState& state,
                          SourceSignals& signals, int count)
{
    runUpTo(order, design, state, signals, count);
}

SFERANT_AVX512 void runAvx512(int order, const NearFieldDesign& design, FilterState& state,
                              SourceSignals& signals, int count)
{
    runUpTo(order, design, state, signals, count);
}

const FilterFunction runWidest = widestOf<FilterFunction>(runPlain, runAvx2, runAvx512);

} // namespace

void runNearFieldFilters(const NearFieldDesign& design, int order, FilterState& state,
                         SourceSignals& signals, int count)
{
    runWidest(order, design, state, signals, count);
}

} // namespace sferant
