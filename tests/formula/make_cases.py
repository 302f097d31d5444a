#!/usr/bin/env python3
"""Writes cases.txt: formulas with values computed independently with mpmath at 40 digits.

Each case is (formula in the program's syntax, variables, mpmath expression, tolerance).
A tolerance is relative to max(1, |expected|). "undef" marks a formula that has no value,
"error n" one that the parser refuses with error n.
Run: python3 make_cases.py > cases.txt
"""
import mpmath as mp

mp.mp.dps = 40
pi, e = mp.pi, mp.e

def rnd(x):  # halves away from zero
    return mp.sign(x) * mp.floor(abs(x) + mp.mpf(1) / 2)

def frac(x):
    return x - (mp.floor(x) if x >= 0 else mp.ceil(x))

def mod(a, b):
    return a - b * mp.floor(a / b)

def root(n, x):
    return x ** (1 / n) if x >= 0 else -((-x) ** (1 / n))

ELEM, SPEC, LOOSE = "1e-17", "1e-15", "1e-13"
cases = []

def add(formula, variables, value, tol=ELEM):
    cases.append((formula, variables, value, tol))

def refuse(formula, code, variables=""):
    cases.append((formula, variables, f"error {code}", None))

# --- one-argument functions at several points --------------------------------------------------
real1 = [
    ("SQRT", mp.sqrt, [0, 0.25, 2, 1e6]), ("EXP", mp.exp, [-3, 0, 0.5, 20]),
    ("COS", mp.cos, [0, 1, -2.5, 100]), ("SIN", mp.sin, [0.3, -1, 3, 50]),
    ("TAN", mp.tan, [0.2, -1.3, 4]), ("COT", mp.cot, [0.7, -2]), ("SEC", mp.sec, [0.4, 2.5]),
    ("CSC", mp.csc, [1.1, -0.3]), ("ARCSIN", mp.asin, [0.5, -0.99, 1]),
    ("ARCCOS", mp.acos, [0.5, -1, 0.01]), ("ARCTAN", mp.atan, [1, -20, 0.1]),
    ("ARCCOT", lambda x: pi / 2 - mp.atan(x), [1, -2, 0, "-1E20", "3E-30"]), ("ABS", abs, [-3.5, 0, 2]),
    ("LN", mp.log, [1, 0.1, 1000]), ("LOG", mp.log10, [1000, 2, 0.5]),
    ("SINH", mp.sinh, [0.5, -3]), ("COSH", mp.cosh, [0.5, -3]), ("TANH", mp.tanh, [0.5, -3]),
    ("COTH", mp.coth, [0.5, -3]), ("SECH", mp.sech, [0.5, -3]), ("CSCH", mp.csch, [0.5, -3]),
    ("ARSINH", mp.asinh, [0.5, -30]), ("ARCOSH", mp.acosh, [1, 5]),
    ("ARTANH", mp.atanh, [0.5, -0.9]), ("ARCOTH", lambda x: mp.atanh(1 / x), [2, -1.5]),
    ("SGN", mp.sign, [-2, 0, 0.1]), ("FLOOR", mp.floor, [2.5, -2.5, 3]),
    ("CEIL", mp.ceil, [2.5, -2.5]), ("ROUND", rnd, [2.5, -2.5, 2.4]), ("FRAC", frac, [2.75, -2.75]),
    ("TRUNC", lambda x: mp.floor(x) if x >= 0 else mp.ceil(x), [2.7, -2.7]),
    ("CBRT", lambda x: mp.sign(x) * mp.cbrt(abs(x)), [27, -8, 2]), ("LOG2", lambda x: mp.log(x, 2), [8, 3]),
    ("ARCSEC", lambda x: mp.acos(1 / x), [2, -3]), ("ARCCSC", lambda x: mp.asin(1 / x), [2, -3]),
    ("ARSECH", lambda x: mp.acosh(1 / x), [0.5]), ("ARCSCH", lambda x: mp.asinh(1 / x), [0.5, -2]),
    ("STEP", lambda x: 0 if x < 0 else 1, [-1, 0, 2]), ("ARG", lambda x: pi if x < 0 else 0, [-1, 2]),
    ("SINC", mp.sinc, [0, 0.5, 10]), ("LOG1P", mp.log1p, [1e-10, 3]),
    ("EXPM1", mp.expm1, [1e-10, -2]), ("SQR", lambda x: x * x, [-1.5]),
    ("RE", lambda x: x, [3]), ("IM", lambda x: 0, [3]), ("CONJ", lambda x: x, [-2]),
]
special1 = [
    ("GAMMA", mp.gamma, [5, 0.5, -1.5, 10.3]), ("LNGAMMA", mp.loggamma, [0.5, 100]),
    ("ERF", mp.erf, [0.5, -2, 4]), ("ERFC", mp.erfc, [0.5, 3, -1]),
    ("FACT", lambda x: mp.gamma(x + 1), [5, 0.5, 10]),
    ("J0", lambda x: mp.besselj(0, x), [1, 10]), ("J1", lambda x: mp.besselj(1, x), [1, -10]),
    ("Y0", lambda x: mp.bessely(0, x), [1, 10]), ("Y1", lambda x: mp.bessely(1, x), [0.5, 7]),
    ("SI", mp.si, [0.5, 1, 2.5, -7, 30]), ("CI", mp.ci, [0.1, 1, 2.5, 30]),
    ("EI", mp.ei, [-5, -0.5, 0.5, 2, 10, 45, 80]), ("ZETA", mp.zeta, [2, 3, 0.5, 1.5, -1, -2, 0, -3.5]),
    ("FRESNELS", mp.fresnels, [0.3, 1, 1.4, 2, 5.5, -3]),
    ("FRESNELC", mp.fresnelc, [0.3, 1, 1.6, 2, 5.5, -3]),
    ("DIGAMMA", mp.digamma, [1, 0.5, 7.25, 30, -0.5]),
]
for name, fn, points in real1:
    for x in points:
        add(f"{name}({x})", "", fn(mp.mpf(str(x))))
for name, fn, points in special1:
    for x in points:
        add(f"{name}({x})", "", fn(mp.mpf(str(x))), SPEC)

# Far out the Fresnel integrals are their limits +-1/2: the next term, about 1/(pi x), is far
# below a long double's resolution (mpmath itself does not finish at such arguments).
for x, sign in [("1E3000", 1), ("-1E3000", -1)]:
    add(f"FRESNELS({x})", "", sign * mp.mpf(1) / 2, SPEC)
    add(f"FRESNELC({x})", "", sign * mp.mpf(1) / 2, SPEC)

# --- two-argument functions --------------------------------------------------------------------
for a, b in [(1, 2), (-3, -4), (2.5, 2.5)]:
    add(f"MAX({a},{b})", "", max(a, b))
    add(f"MIN({a},{b})", "", min(a, b))
for y, x in [(1, 1), (1, -1), (-2, -3), (0, 2)]:
    add(f"ATAN2({y},{x})", "", mp.atan2(y, x))
for a, b in [(7, 3), (-7, 3), (7.5, -2)]:
    add(f"MOD({a},{b})", "", mod(mp.mpf(str(a)), mp.mpf(str(b))))
add("LOGB(2,1024)", "", 10)
add("LOGB(10,0.001)", "", -3)
add("ROOT(3,-27)", "", -3)
add("ROOT(4,16)", "", 2)
add("ROOT(2.5,7)", "", root(mp.mpf(2.5), 7))
add("HYPOT(3,4)", "", 5)
add("BETA(2,3)", "", mp.beta(2, 3), SPEC)
add("BETA(0.5,0.5)", "", mp.beta(0.5, 0.5), SPEC)
add("BINOM(10,3)", "", 120)
add("BINOM(5,7)", "", 0)
add("BINOM(4.5,2)", "", mp.binomial(4.5, 2), SPEC)
# The edges: large and negative whole n, huge gammas, exact remainders of large integers.
# Values far from 1 are scaled to it, since a tolerance is relative to max(1, |value|).
add("ARCCOT(1E20)*1E20", "", (pi / 2 - mp.atan(mp.mpf("1e20"))) * mp.mpf("1e20"))
for n, k in [(1000000, 2), (-1, 3), (-2, 3), (-1, -3), (-5, -3), ("1E20", 3), (1000, 500)]:
    add(f"BINOM({n},{k})", "", mp.binomial(mp.mpf(n), k), SPEC)
add("BINOM(0.5,100)*1E4", "", mp.binomial(0.5, 100) * 10**4, SPEC)
for a, b, scale in [(1000, 2000, 831), (900, 900, 543), (-0.5, 3, 0), ("1E5", 0.5, 2),
                    (300, -200.5, 0)]:
    scaled = f"BETA({a},{b})" + (f"*1E{scale}" if scale else "")
    add(scaled, "", mp.beta(mp.mpf(a), mp.mpf(b)) * mp.mpf(10)**scale, LOOSE)
for a, b in [("2^63+5", 3), ("2^100", 3), ("1E19", 7), ("-2^64", 10), (-6, 3)]:
    av = mp.mpf(eval(str(a).replace("^", "**").replace("1E19", "10**19")))
    add(f"MOD({a},{b})", "", mod(av, b))

# --- undefined values --------------------------------------------------------------------------
add("10^4000/1E4000", "", 1)  # inside the range of a long double
# Whole powers beyond the exact range keep their sign: (-1)^(2^70) is 1.
for f, v in [("(-1)^(2^70)", 1), ("(-1)^(2^63+1)", -1), ("(-1)^1E20", 1),
             ("(-2)^(1E4+1)", -mp.mpf(2)**10001)]:
    add(f, "", v)
add("ZETA(1E-10)", "", mp.zeta(mp.mpf("1e-10")), ELEM)
add("ZETA(-1E-10)", "", mp.zeta(mp.mpf("-1e-10")), ELEM)
add("ZETA(1+2^-33)", "", mp.zeta(1 + mp.mpf(2)**-33), SPEC)

for f in ["SQRT(-1)", "LN(0)", "LN(-2)", "1/0", "ARCSIN(2)", "ARCOSH(0.5)", "ARTANH(1)",
          "GAMMA(-2)", "(-8)^(1/3)", "0^(-1)", "MOD(3,0)", "ROOT(2,-4)", "Y0(-1)", "CI(0)",
          "EI(0)", "ZETA(1)", "DIGAMMA(-3)", "LOG(0)", "COT(0)", "1/(X-X)", "EXP(20000)",
          "JOINX(1,SQRT(-1),2)", "EXP(12000)*0", "10^5000"]:
    add(f, "", None)

# --- grammar: precedence, implicit products, signs, exponents -----------------------------------
grammar = [
    ("1+2*3", 7), ("(1+2)*3", 9), ("2^3^2", 512), ("-2^2", -4), ("(-2)^2", 4), ("2^-1", 0.5),
    ("-3", -3), ("--3", 3), ("+3", 3), ("2*-3", -6), ("1-2-3", -4), ("24/4/3", 2),
    ("2(3+4)", 14), ("(1+1)(2+2)", 8), ("3PI", 3 * pi), ("PI", pi), ("2E", 2 * e), ("1E3", 1000),
    ("1.5E-3", mp.mpf("0.0015")), ("2E+2", 200), (".5", 0.5), ("5.", 5), ("E", e),
    ("2^0.5", mp.sqrt(2)), ("  1 +  2 ", 3), ("sin(pi/2)", 1), ("Sqrt(16)", 4),
    ("1/2*4", 2), ("2^2*3", 12), ("-X^2", None), ("SIN (0)", 0),
]
for f, v in grammar:
    if v is None:
        continue
    add(f, "", mp.mpf(v))

# --- parser: names need their parenthesis, blanks and case, exponents, derivative forms -------
# Bad input, each with the error of its kind; a second decimal point is a typing error, not a
# product of two numbers.
for code, texts in [(102, ["(1+2", "1+2)", "SIN(1"]), (104, ["1+", "*3", "()", "2^"]),
                    (105, ["SIN()", "MAX(1,)", "MAX(,1)"]), (107, ["SIN(1,2)"]),
                    (117, ["MAX(1)", "JOINX(1,2)", "JOINX(1)"]),
                    (101, ["DERX(1.5,X^2)", "DERX(A,X^2)", "DERX(10,X)"]),
                    (108, ["2$3", "1:2", "3#", ".", "1.2.3", "2..5", "1E5.5"]),
                    (103, ["JOINA(1,2,3)", "DERQ(1,X)"])]:
    for f in texts:
        refuse(f, code)
# A built-in name without its parenthesis is refused (105), not read as a product of letters;
# the longest name wins, and PI needs no parenthesis.
for f in ["SIN X", "LN 2", "SQRT 4", "COS^2(X)", "SIN", "SI*N", "EXP", "2COSX", "JOINX", "DERX"]:
    refuse(f, 105)
letters = "S=2, I=3, N=5, A=7"
for f, v in [("ASIN(1)", pi / 2), ("A*SIN(0.5)", 7 * mp.sin(0.5)), ("APIN", 35 * pi),
             ("S*I*N", 30), ("SIN (0.5)", mp.sin(0.5))]:
    add(f, letters, v)
for f, v in [("  sqrt ( x*8 ) ", 4), ("Max(x, 3)", 3), ("sqrt\t(x*8)\t+\t1", 5),
             ("2E+X", 2 * e + 2), ("2E", 2 * e)]:
    add(f, "X=2", v)
for f, v in [("1E-12", mp.mpf("1e-12")), ("25E2", 2500), ("2E+1", 20)]:
    add(f, "", v)
x3 = mp.mpf("0.3")
for f, v in [("DERX(1,X^3)", 3 * x3**2), ("DERX(2,SIN(X))", -mp.sin(x3)), ("DERX(0,X^3)", x3**3)]:
    add(f, "X=0.3", v)
for tv, v in [("-1", 1), ("0", 2), ("4.9", 2), ("5", 3)]:
    add("JOINT(1,0,2,5,3)", f"T={tv}", v)

# --- derivatives up to the ninth order against closed forms, and the work bound ---------------
# d^n/dx^n LN(x) = (-1)^(n-1) (n-1)! / x^n; the others by mpmath's own differentiation.
xd = mp.mpf("1.3")
for n in [5, 9]:
    add(f"DERX({n},LN(X))", "X=1.3", (-1)**(n - 1) * mp.factorial(n - 1) / xd**n, SPEC)
    add(f"DERX({n},1/X)", "X=1.3", (-1)**n * mp.factorial(n) / xd**(n + 1), SPEC)
derived = [
    ("SQRT(X)", mp.sqrt), ("TAN(X)", mp.tan), ("ARCTAN(X)", mp.atan), ("ARCSIN(X)", mp.asin),
    ("EXP(X)*SIN(X)", lambda t: mp.exp(t) * mp.sin(t)), ("X^X", lambda t: t**t),
    ("1/(1+X^2)", lambda t: 1 / (1 + t**2)), ("SEC(X)", mp.sec), ("LOGB(2,X)", lambda t: mp.log(t, 2)),
    ("CBRT(X)", mp.cbrt), ("EXP(SIN(X))", lambda t: mp.exp(mp.sin(t))),
    ("SQRT(1-X^2)*ARCSIN(X)", lambda t: mp.sqrt(1 - t**2) * mp.asin(t)),
]
for f, fn in derived:
    add(f"DERX(9,{f})", "X=0.6", mp.diff(fn, mp.mpf("0.6"), 9), SPEC)
add("DERX(8,SQRT(X))", "X=1.3", mp.diff(mp.sqrt, xd, 8), SPEC)
add("DERX(3,DERX(3,DERX(3,LN(X))))", "X=1.3", mp.factorial(8) / xd**9, SPEC)
poly = lambda t: 3 * t**5 - 2 * t**3 + t - 7
for n in range(1, 7):
    add(f"DERX({n},3*X^5-2*X^3+X-7)", "X=1.25", mp.diff(poly, mp.mpf("1.25"), n), SPEC)
zd = mp.mpc(1, 2)  # complex mode differentiates by the same rules
add("DERX(1,EXP(X)*X^2-LN(X)/SIN(X))", "complex, X=1+2I",
    mp.exp(zd) * (zd**2 + 2 * zd) - 1 / (zd * mp.sin(zd)) + mp.log(zd) * mp.cos(zd) / mp.sin(zd)**2,
    SPEC)
# Partials: other letters are constants. Piecewise forms keep their boundaries.
for f, v in [("DERX(1,A*X^2*Y+T)", 60), ("DERT(1,A*X^2*Y+T)", 1), ("DERZ(1,A*X^2*Y+T)", 0),
             ("DERY(2,A*X^2*Y^3)", 3 * 4 * 6 * 5)]:
    add(f, "A=3, X=2, Y=5", v)
for xv, v in [("0.5", 1), ("1", 3), ("4", 3)]:
    add("DERX(1,JOINX(X^2,1,3*X))", f"X={xv}", v)
# Without a rule: a difference quotient of the order asked for, psi''(2) = 2 - 2 zeta(3).
add("DERX(2,DIGAMMA(X))", "X=2", mp.psi(2, 2), "1e-8")
# Beyond the work one parse may take: a ninth derivative that grows with every order.
refuse("DERX(9,SIN(X)^COS(X)*EXP(X^X)/(1+X^2))", 110)

# --- expressions with variables -----------------------------------------------------------------
x, a, b, t = mp.mpf("0.7"), mp.mpf(2), mp.mpf("3.5"), mp.mpf("1.25")
env = "X=0.7, A=2, B=3.5, T=1.25"
with_vars = [
    ("(A^2/SIN(2*PI/B))-A/2", a**2 / mp.sin(2 * pi / b) - a / 2),
    ("X^5-3X^3+2X-1", x**5 - 3 * x**3 + 2 * x - 1),
    ("SIN(X)^2+COS(X)^2", 1), ("2X", 2 * x), ("AX+B", a * x + b), ("-X^2", -x**2),
    ("X(X+1)", x * (x + 1)), ("SQRT(X^2+T^2)", mp.sqrt(x**2 + t**2)),
    ("EXP(-X^2/2)/SQRT(2PI)", mp.exp(-x**2 / 2) / mp.sqrt(2 * pi)),
    ("A*SIN(B*T)+COS(X)", a * mp.sin(b * t) + mp.cos(x)),
    ("JOINX(X^2,0.5,1-X,1,3)", 1 - x), ("JOINX(X^2,1,1-X)", x**2),
    ("JOINT(0,1,T,2,4)", t), ("LN(ABS(X-1))", mp.log(abs(x - 1))),
    ("MAX(X,T)-MIN(X,T)", t - x), ("(1-T)(A)+T(B)", (1 - t) * a + t * b),
    ("X^X", x**x), ("ATAN2(T,X)", mp.atan2(t, x)), ("GAMMA(X)*GAMMA(1-X)", pi / mp.sin(pi * x)),
    ("ERF(X)+ERFC(X)", 1), ("COSH(X)^2-SINH(X)^2", 1), ("LOG(10^X)", x),
    ("(X+1)^10", (x + 1)**10), ("1/(1+X^2)", 1 / (1 + x**2)), ("@+1", 1),
    ("FLOOR(10X)/10", mp.mpf("0.7")), ("X^-2", x**-2), ("E^X", mp.exp(x)),
]
for f, v in with_vars:
    add(f, env, mp.mpf(v))
for xv in ["-2.5", "-0.1", "0", "0.3", "1", "4"]:
    xx = mp.mpf(xv)
    add("X^3-2X+1", f"X={xv}", xx**3 - 2 * xx + 1)
    add("SIN(X)/(1+X^2)", f"X={xv}", mp.sin(xx) / (1 + xx**2))
    add("EXP(X)*COS(3X)", f"X={xv}", mp.exp(xx) * mp.cos(3 * xx))
    add("ABS(X)^1.5", f"X={xv}", abs(xx)**1.5)
    add("JOINX(-X,0,X^2,1,SQRT(X))", f"X={xv}", -xx if xx < 0 else (xx**2 if xx < 1 else mp.sqrt(xx)))

# --- complex mode ------------------------------------------------------------------------------
z, w = mp.mpc("0.6", "-1.3"), mp.mpc("-2", "0.5")
cenv = "complex, Z=0.6-1.3I, W=-2+0.5I"
complex_cases = [
    ("I*I", -1), ("(1+I)^2", 2j), ("EXP(I*PI)", -1), ("SQRT(-4)", 2j), ("ABS(3+4I)", 5),
    ("ARG(I)", pi / 2), ("ARG(-1)", pi), ("RE(Z)", z.real), ("IM(Z)", z.imag),
    ("CONJ(Z)", mp.conj(z)), ("Z*W", z * w), ("Z/W", z / w), ("Z^W", mp.power(z, w)),
    ("Z^3", z**3), ("Z^-2", z**-2), ("SIN(Z)", mp.sin(z)), ("COS(Z)", mp.cos(z)),
    ("TAN(Z)", mp.tan(z)), ("COT(Z)", mp.cot(z)), ("SEC(Z)", mp.sec(z)), ("CSC(Z)", mp.csc(z)),
    ("EXP(Z)", mp.exp(z)), ("LN(Z)", mp.log(z)), ("LN(W)", mp.log(w)), ("LOG(Z)", mp.log10(z)),
    ("LOG2(Z)", mp.log(z, 2)), ("SQRT(Z)", mp.sqrt(z)), ("SQRT(W)", mp.sqrt(w)),
    ("SINH(Z)", mp.sinh(z)), ("COSH(Z)", mp.cosh(z)), ("TANH(Z)", mp.tanh(z)),
    ("COTH(Z)", mp.coth(z)), ("SECH(Z)", mp.sech(z)), ("CSCH(Z)", mp.csch(z)),
    ("ARCSIN(Z)", mp.asin(z)), ("ARCCOS(Z)", mp.acos(z)), ("ARCTAN(Z)", mp.atan(z)),
    ("ARCCOT(Z)", pi / 2 - mp.atan(z)), ("ARSINH(Z)", mp.asinh(z)), ("ARCOSH(W)", mp.acosh(w)),
    ("ARTANH(Z)", mp.atanh(z)), ("ARCOTH(Z)", mp.atanh(1 / z)), ("ARCSEC(Z)", mp.acos(1 / z)),
    ("ARCCSC(Z)", mp.asin(1 / z)), ("ARSECH(Z)", mp.acosh(1 / z)), ("ARCSCH(Z)", mp.asinh(1 / z)),
    ("SGN(Z)", z / abs(z)), ("ABS(Z)", abs(z)), ("ARG(W)", mp.arg(w)), ("SQR(W)", w * w),
    ("EXPM1(Z)", mp.expm1(z)), ("LOG1P(Z)", mp.log(1 + z)), ("SINC(Z)", mp.sin(z) / z),
    ("LOGB(W,Z)", mp.log(z) / mp.log(w)), ("HYPOT(Z,W)", mp.sqrt(z * z + w * w)),
    ("ROOT(3,Z)", mp.power(z, mp.mpf(1) / 3)), ("CBRT(-8)", -2), ("MAX(Z,W)", z), ("MIN(Z,W)", w),
    ("FLOOR(Z)", mp.mpc(0, -2)), ("CEIL(W)", mp.mpc(-2, 1)), ("ROUND(Z)", mp.mpc(1, -1)),
    ("Z*CONJ(Z)", abs(z)**2), ("EXP(LN(W))", w), ("(Z+W)(Z-W)", z * z - w * w),
    ("2Z+3I", 2 * z + 3j), ("I^I", mp.exp(-pi / 2)), ("E^(I*PI/3)", mp.exp(1j * pi / 3)),
    ("LOG1P(0)", 0), ("EXPM1(0)", 0), ("LOG1P(W)", mp.log(1 + w)), ("EXPM1(W)", mp.expm1(w)),
]
complex_special = [
    ("GAMMA(Z)", mp.gamma(z)), ("GAMMA(W)", mp.gamma(w)), ("GAMMA(5)", 24),
    ("FACT(Z)", mp.gamma(z + 1)), ("LNGAMMA(Z)", mp.loggamma(z)), ("ERF(Z)", mp.erf(z)),
    ("ERF(W)", mp.erf(w)), ("ERFC(Z)", mp.erfc(z)), ("ERF(3.5+1.5I)", mp.erf(mp.mpc(3.5, 1.5))),
    ("ERF(0.2+4I)", mp.erf(mp.mpc(0.2, 4))), ("BETA(Z,W)", mp.beta(z, w)),
    ("BINOM(Z,2)", mp.binomial(z, 2)), ("GAMMA(0.5+20I)", mp.gamma(mp.mpc(0.5, 20))),
    ("ZETA(3)", mp.zeta(3)), ("SI(2)", mp.si(2)), ("J0(2)", mp.besselj(0, 2)),
]
# Every special function has its value off the real axis too, at the accuracy of the real
# ones: near 0, in between and far out, on the negative real axis (from above the cuts).
special_points = [mp.mpc("0.6", "-1.3"), mp.mpc(-2, "0.5"), mp.mpc(7, 3), mp.mpc(-11, -4),
                  mp.mpc(30, 8), mp.mpc("-2.5", 0)]
complex_functions = [
    ("J0", lambda z: mp.besselj(0, z)), ("J1", lambda z: mp.besselj(1, z)),
    ("Y0", lambda z: mp.bessely(0, z)), ("Y1", lambda z: mp.bessely(1, z)), ("SI", mp.si),
    ("CI", mp.ci), ("EI", mp.ei), ("FRESNELS", mp.fresnels), ("FRESNELC", mp.fresnelc),
    ("DIGAMMA", mp.digamma), ("ZETA", mp.zeta),
]
for name, fn in complex_functions:
    for zv in special_points:
        if name == "ZETA" and zv.imag == 0:
            zv = mp.mpc("0.5", 14)
        im = mp.nstr(zv.imag, 6)
        add(f"{name}(Z)", f"complex, Z={mp.nstr(zv.real, 6)}{'' if im[0] == '-' else '+'}{im}I",
            fn(zv), SPEC)
add("ZETA(Z)", "complex, Z=-13+7I", mp.zeta(mp.mpc(-13, 7)), SPEC)
# Far from the real axis the gamma function is below the range: 0, not undefined.
for f in ["GAMMA(1E4*I)", "GAMMA(-0.5+20000I)", "GAMMA(0.3+1E30*I)", "FACT(1E4*I)"]:
    add(f, "complex", 0, ELEM)
add("GAMMA(-2.5+300I)*1E212", "complex", mp.gamma(mp.mpc(-2.5, 300)) * mp.mpf(10)**212, SPEC)
add("BETA(1000+I,2000)*1E831", "complex", mp.beta(mp.mpc(1000, 1), 2000) * mp.mpf(10)**831,
    LOOSE)
# LN(1 + z) and EXP(z) - 1 keep the digits that forming 1 + z or subtracting 1 would lose,
# and ERFC the digits of 1 - ERF where ERF is nearly 1 (values scaled to about 1).
ti = mp.mpc(0, mp.mpf("1e-10"))
for f, v in [("RE(LOG1P(1E-10*I))*1E21", mp.log(1 + ti).real * mp.mpf(10)**21),
             ("IM(LOG1P(1E-10*I))*1E10", mp.log(1 + ti).imag * mp.mpf(10)**10),
             ("RE(EXPM1(1E-10*I))*1E21", mp.expm1(ti).real * mp.mpf(10)**21),
             ("IM(EXPM1(1E-10*I))*1E10", mp.expm1(ti).imag * mp.mpf(10)**10),
             ("LOG1P(1E-20)*1E20", mp.log1p(mp.mpf("1e-20")) * mp.mpf(10)**20),
             ("EXPM1(-1E-20)*1E20", mp.expm1(mp.mpf("-1e-20")) * mp.mpf(10)**20),
             ("LOG1P(-1+1E-10*I)", mp.log(ti)), ("ERFC(10)*1E45", mp.erfc(10) * mp.mpf(10)**45),
             ("ERFC(6+I)*1E17", mp.erfc(mp.mpc(6, 1)) * mp.mpf(10)**17),
             ("ERFC(4-2I)*1E7", mp.erfc(mp.mpc(4, -2)) * mp.mpf(10)**7)]:
    add(f, "complex", v, SPEC if f.startswith("ERFC") else ELEM)
add("I^(4E20)", "complex", 1)
add("(-I)^(2^70+4)", "complex", 1)
for f, v in complex_cases:
    add(f, cenv, mp.mpc(v), ELEM if "GAMMA" not in f else SPEC)
for f, v in complex_special:
    add(f, cenv, mp.mpc(v), LOOSE)
for f in ["1/(Z-Z)", "LN(0)", "0^(-1)", "Y0(0)", "CI(0)", "GAMMA(-1)", "MOD(Z,2)", "LOG1P(-1)"]:
    add(f, cenv, None)

# --- user functions ----------------------------------------------------------------------------
add("CUBE(X+1)", "X=0.7, define CUBE(1)=X^3", (x + 1)**3)
add("HYP(3,4)", "define HYP(2)=SQRT(X^2+Y^2)", 5)
add("AVG(1,2,6)", "define AVG(3)=(X+Y+Z)/3", 3)
add("TWICE(CUBE(2))", "define CUBE(1)=X^3, define TWICE(1)=2X", 16)
add("SWAP(X,2)", "X=5, define SWAP(2)=X-Y", 3)
add("SWAP(Y,X)", "X=5, Y=1, define SWAP(2)=X-Y", -4)
ramp, pick = "define RAMP(1)=JOINX(0,0,X)", "define PICK(2)=JOINY(X,0,2*X)"
add("RAMP(X)", f"X=1, T=-3, {ramp}", 1)
add("RAMP(T)", f"X=1, T=-3, {ramp}", 0)  # T < 0 picks the first piece, whatever X is
add("RAMP(T)", f"X=-1, T=5, {ramp}", 5)
add("PICK(3,X)", f"X=-1, T=5, Y=7, {pick}", 3)  # the switch follows the second argument
add("PICK(3,T)", f"X=-1, T=5, Y=7, {pick}", 6)
add("SQUARED(X+1)", "X=10, define NEG(1)=-X, define SQUARED(1)=NEG(X)^2", 121)

# Definitions and their result codes (1000 done; 1024 empty name, 1122 one letter or name in
# use or reserved, 1116 over 9 letters, 1144 not letters, 2024 empty body, 2116 body over 60
# characters, 2000 + the parser's error). JOIN and DER with any letter are the parser's forms,
# so JOINQ and DERA could never be called; a name that merely starts like one stays free.
for definition, code in [("(1)=X", 1024), ("F(1)=X", 1122), ("SIN(1)=X", 1122),
                         ("JOINQ(1)=X", 1122), ("dera(1)=X", 1122), ("ABCDEFGHIJ(1)=X", 1116),
                         ("F2(1)=X", 1144), ("MY FN(1)=X", 1144), ("FF(1)=  ", 2024),
                         ("FF(1)=" + "X" * 61, 2116), ("FF(1)=X+(", 2104),
                         ("abcdefghi(1)=" + "X" * 60, 1000), ("JOINED(1)=X", 1000)]:
    refuse("define " + definition, code)
# A body may not call its own function, nor any function that calls it (2000 + 101).
chain = "define GG(1)=X^2, define FF(1)=GG(X)+1, define HH(1)=2*FF(X)"
for body in ["FF(X)+1", "HH(X)", "FF(X)*2", "GG(X)+1"]:
    refuse(f"define {'FF' if body.startswith('FF(X)+') else 'GG'}(1)={body}", 2101,
           "" if body == "FF(X)+1" else chain)
add("HH(2)", chain + ", define GG(1)=X^3", 10)  # stored trees keep what they inlined
# Calls that cannot be used: argument counts, a piece boundary on an argument that is an
# expression (refused, not drawn against the wrong variable), trees beyond the node limit.
calls = "define DIFF(2)=X-Y, define RAMP(1)=JOINX(0,0,X), define PICK(2)=JOINY(X,0,2*X)"
for f, code in [("DIFF(1)", 117), ("DIFF(1,2,3)", 117), ("RAMP(X-2)", 101),
                ("PICK(3,2*T)", 101)]:
    refuse(f, code, calls)
add("PICK(X-2,T)", calls + ", X=5, T=-1", 3)  # the first argument has no piece boundary
add("DIFF", calls + ", D=2, I=3, F=5", 150)  # without its parenthesis a user function's name is letters
big = "define TEN(1)=" + "+".join(["X"] * 10) + ", define THOUSAND(1)=TEN(TEN(TEN(X)))"
add("THOUSAND(1)", big, 1000)
refuse("define MILLION(1)=THOUSAND(THOUSAND(X))", 2110, big)  # a million nodes, not built
# Twenty calls of twenty thousand nodes each: each fits, together they do not.
refuse("+".join(["TENK(X)"] * 20), 110, big + ", define TENK(1)=TEN(THOUSAND(X))")

def fmt(v):
    if v == 0:
        return "0"
    if abs(v) < 1e-30 or abs(v) > 1e30:
        return mp.nstr(v, 25, min_fixed=0, max_fixed=0)
    return mp.nstr(v, 25, min_fixed=-mp.inf, max_fixed=mp.inf)

print("# Formula cases: expression ; variables ; expected real ; expected imaginary ; tolerance")
print("# Variables: LETTER=value (complex values as a+bI), the word complex and")
print("# define NAME(n)=body for a user function of n arguments, separated by \", \".")
print("# Expected values come from mpmath at 40 digits (make_cases.py); undef = no value.")
for f, variables, value, tol in cases:
    if value is None or isinstance(value, str):
        print(f"{f} ; {variables} ; {value or 'undef'} ; ; ")
        continue
    value = mp.mpc(value)
    print(f"{f} ; {variables} ; {fmt(value.real)} ; {fmt(value.imag)} ; {tol}")
