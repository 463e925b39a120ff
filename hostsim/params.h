// Turns a parameter type list "(int, float)" into named parameters
// "int a1, float a2" and the argument list "a1, a2" (up to 10 parameters).
#pragma once

#define HS_COUNT(...) HS_COUNT_(__VA_ARGS__ __VA_OPT__(, ) 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define HS_COUNT_(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, N, ...) N
#define HS_CAT_(a, b) a##b
#define HS_CAT(a, b) HS_CAT_(a, b)

#define HS_NAMED(...) HS_CAT(HS_NAMED_, HS_COUNT(__VA_ARGS__))(__VA_ARGS__)
#define HS_NAMED_0()
#define HS_NAMED_1(t1) t1 a1
#define HS_NAMED_2(t1, t2) HS_NAMED_1(t1), t2 a2
#define HS_NAMED_3(t1, t2, t3) HS_NAMED_2(t1, t2), t3 a3
#define HS_NAMED_4(t1, t2, t3, t4) HS_NAMED_3(t1, t2, t3), t4 a4
#define HS_NAMED_5(t1, t2, t3, t4, t5) HS_NAMED_4(t1, t2, t3, t4), t5 a5
#define HS_NAMED_6(t1, t2, t3, t4, t5, t6) HS_NAMED_5(t1, t2, t3, t4, t5), t6 a6
#define HS_NAMED_7(t1, t2, t3, t4, t5, t6, t7) HS_NAMED_6(t1, t2, t3, t4, t5, t6), t7 a7
#define HS_NAMED_8(t1, t2, t3, t4, t5, t6, t7, t8) HS_NAMED_7(t1, t2, t3, t4, t5, t6, t7), t8 a8
#define HS_NAMED_9(t1, t2, t3, t4, t5, t6, t7, t8, t9) HS_NAMED_8(t1, t2, t3, t4, t5, t6, t7, t8), t9 a9
#define HS_NAMED_10(t1, t2, t3, t4, t5, t6, t7, t8, t9, t10) HS_NAMED_9(t1, t2, t3, t4, t5, t6, t7, t8, t9), t10 a10

#define HS_ARGS(...) HS_CAT(HS_ARGS_, HS_COUNT(__VA_ARGS__))
#define HS_ARGS_0
#define HS_ARGS_1 a1
#define HS_ARGS_2 a1, a2
#define HS_ARGS_3 a1, a2, a3
#define HS_ARGS_4 a1, a2, a3, a4
#define HS_ARGS_5 a1, a2, a3, a4, a5
#define HS_ARGS_6 a1, a2, a3, a4, a5, a6
#define HS_ARGS_7 a1, a2, a3, a4, a5, a6, a7
#define HS_ARGS_8 a1, a2, a3, a4, a5, a6, a7, a8
#define HS_ARGS_9 a1, a2, a3, a4, a5, a6, a7, a8, a9
#define HS_ARGS_10 a1, a2, a3, a4, a5, a6, a7, a8, a9, a10
