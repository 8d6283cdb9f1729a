#include "compiler/plan_view.h"

#include <gtest/gtest.h>

#include "compiler/track_fixture.h"

namespace lorvenna {
namespace {

class PlanimetriaTest : public ::testing::Test {
 protected:
  explicit PlanimetriaTest(int32_t lunghezza_estesa = testing::kLunghezzaEstesa)
      : m(testing::tracciato(lunghezza_estesa, true)), piano(m) {
    piano.inizio();
  }
  double x(int i) const { return m.planimetria.x(i); }
  double y(int i) const { return m.planimetria.y(i); }

  modello m;
  tracciatore_planimetria piano;
};

TEST_F(PlanimetriaTest, StartsWithTwoIntegerMetres) {
  using E = righe_planimetria::etichetta;
  EXPECT_EQ(m.planimetria.tipo(1), E::intero);
  EXPECT_EQ(m.planimetria.y(1), 1);
  EXPECT_EQ(m.planimetria.tipo(2), E::vuoto);
  EXPECT_EQ(piano.metro(), 2);
}

TEST_F(PlanimetriaTest, StraightUpToTheFirstCurveThenTurnsLeft) {
  ASSERT_EQ(piano.curva(38800, 150, "curvas1"), codice::nessuno);
  for (int i : {2, 1000, 38800}) {
    EXPECT_EQ(x(i), 0.0);
    EXPECT_EQ(y(i), i);
  }
  EXPECT_EQ(x(38801), -0.0001);
  EXPECT_EQ(y(38801), 38801.0);
  EXPECT_LT(x(38950), x(38900));
  EXPECT_EQ(piano.metro(), 38951);
}

TEST_F(PlanimetriaTest, CompletionLeavesTheLastTwoMetresEmpty) {
  ASSERT_EQ(piano.curva(70950, 300, "curvad4"), codice::nessuno);
  piano.completa();
  EXPECT_EQ(m.planimetria.tipo(82998), righe_planimetria::etichetta::doppio);
  EXPECT_EQ(m.planimetria.tipo(82999), righe_planimetria::etichetta::vuoto);
  EXPECT_EQ(m.planimetria.tipo(83000), righe_planimetria::etichetta::vuoto);
}

TEST_F(PlanimetriaTest, OverlappingCurveTurnsFromTheCurrentMetre) {
  ASSERT_EQ(piano.curva(100, 100, "curvad1"), codice::nessuno);
  ASSERT_EQ(piano.curva(150, 100, "curvad1"), codice::nessuno);
  EXPECT_EQ(piano.metro(), 251);
  ASSERT_EQ(piano.curva(50, 100, "curvad1"), codice::nessuno);
  EXPECT_EQ(piano.metro(), 251) << "a curve that ends before the current metre does nothing";
}

TEST(Curvatura, ClassAndSide) {
  EXPECT_EQ(curvatura("curvad1"), 0.0001);
  EXPECT_EQ(curvatura("curvas6"), -0.003);
  EXPECT_EQ(curvatura("curvaD15"), 0.0001) << "the first digit tested wins";
  EXPECT_EQ(curvatura("CURVAS3"), -0.0004);
  EXPECT_EQ(curvatura("curvad7"), 0.0);
}

TEST_F(PlanimetriaTest, NoClassDigitIsCode103) {
  EXPECT_EQ(piano.curva(10, 10, "curvad"), codice::curva);
}

class PlanimetriaLungaTest : public PlanimetriaTest {
 protected:
  PlanimetriaLungaTest() : PlanimetriaTest(1007000) {}
};

TEST_F(PlanimetriaLungaTest, CurvesStopAtOneMillionMetres) {
  EXPECT_EQ(piano.curva(999990, 100, "curvad1"), codice::curva);
  EXPECT_EQ(piano.metro(), 1000001);
}

}  // namespace
}  // namespace lorvenna
