#include "game/physics/Vector3.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using quiltRush::Vector3;

TEST(VectorTest, DefaultIsZero) {
    Vector3 zero;
    EXPECT_EQ(zero, Vector3(0.0f, 0.0f, 0.0f));
}

TEST(VectorTest, NormalizeOfZeroIsZeroNotNaN) {
    Vector3 result = quiltRush::normalize(Vector3());
    EXPECT_EQ(result.x, 0.0f);
    EXPECT_EQ(result.y, 0.0f);
    EXPECT_EQ(result.z, 0.0f);
}

TEST(VectorTest, NormalizeDividesByTheLength) {
    Vector3 result = quiltRush::normalize(Vector3(3.0f, 0.0f, 4.0f));
    EXPECT_FLOAT_EQ(result.x, 0.6f);
    EXPECT_EQ(result.y, 0.0f);
    EXPECT_FLOAT_EQ(result.z, 0.8f);
}

TEST(VectorTest, NormalizeOfATinyVectorStillDivides) {
    // The squared length is a denormal, so the result is only roughly of unit length.
    Vector3 result = quiltRush::normalize(Vector3(0.0f, 1e-20f, 0.0f));
    EXPECT_NEAR(result.y, 1.0f, 1e-4f);
}

TEST(VectorTest, NormalizeLeavesItsOperandAlone) {
    Vector3 v(3.0f, 0.0f, 4.0f);
    quiltRush::normalize(v);
    EXPECT_EQ(v, Vector3(3.0f, 0.0f, 4.0f));
}

TEST(VectorTest, CrossIsRightHanded) {
    EXPECT_EQ(quiltRush::cross(Vector3(0, 0, 1), Vector3(1, 0, 0)), Vector3(0, 1, 0));
    EXPECT_EQ(quiltRush::cross(Vector3(1, 0, 0), Vector3(0, 1, 0)), Vector3(0, 0, 1));
    EXPECT_EQ(quiltRush::cross(Vector3(1, 0, 0), Vector3(0, 0, 1)), Vector3(0, -1, 0));
}

TEST(VectorTest, CrossOfParallelVectorsIsZero) {
    EXPECT_EQ(quiltRush::cross(Vector3(1, 2, 3), Vector3(2, 4, 6)), Vector3(0, 0, 0));
}

TEST(VectorTest, DotAndLength) {
    EXPECT_EQ(quiltRush::dot(Vector3(1, 2, 3), Vector3(4, -5, 6)), 12.0f);
    EXPECT_EQ(quiltRush::length(Vector3(3, 4, 12)), 13.0f);
}

TEST(VectorTest, ArithmeticIsComponentWise) {
    Vector3 a(1, 2, 3);
    Vector3 b(4, 5, 6);
    EXPECT_EQ(a + b, Vector3(5, 7, 9));
    EXPECT_EQ(a - b, Vector3(-3, -3, -3));
    EXPECT_EQ(-a, Vector3(-1, -2, -3));
    EXPECT_EQ(a * 2.0f, Vector3(2, 4, 6));
    EXPECT_EQ(Vector3(2, 4, 8) / 2.0f, Vector3(1, 2, 4));
}

TEST(VectorTest, DivisionByZeroGivesInfinities) {
    Vector3 result = Vector3(1, -1, 2) / 0.0f;
    EXPECT_TRUE(std::isinf(result.x) && result.x > 0);
    EXPECT_TRUE(std::isinf(result.y) && result.y < 0);
    EXPECT_TRUE(std::isinf(result.z));
}

TEST(VectorTest, IndexAccessReadsAndWritesTheComponents) {
    Vector3 v(1, 2, 3);
    EXPECT_EQ(v[0], 1.0f);
    EXPECT_EQ(v[1], 2.0f);
    EXPECT_EQ(v[2], 3.0f);
    v[1] = 7.0f;
    EXPECT_EQ(v, Vector3(1, 7, 3));
}

TEST(VectorTest, QuarterTurnAboutUpTurnsXIntoMinusZ) {
    Vector3 result = quiltRush::rotateAboutAxisDegrees(Vector3(1, 0, 0), Vector3(0, 1, 0), 90.0f);
    EXPECT_NEAR(result.x, 0.0f, 1e-6f);
    EXPECT_NEAR(result.y, 0.0f, 1e-6f);
    EXPECT_NEAR(result.z, -1.0f, 1e-6f);
}

TEST(VectorTest, RotationIsCounterClockwiseSeenFromTheAxisTip) {
    // Seen from +z, x turns towards y.
    Vector3 result = quiltRush::rotateAboutAxis(Vector3(1, 0, 0), Vector3(0, 0, 1), 0.5f * 3.14159265f);
    EXPECT_NEAR(result.x, 0.0f, 1e-6f);
    EXPECT_NEAR(result.y, 1.0f, 1e-6f);
    EXPECT_NEAR(result.z, 0.0f, 1e-6f);
}

TEST(VectorTest, RotationKeepsTheComponentAlongTheAxis) {
    Vector3 result = quiltRush::rotateAboutAxisDegrees(Vector3(1, 2, 0), Vector3(0, 1, 0), 180.0f);
    EXPECT_NEAR(result.x, -1.0f, 1e-6f);
    EXPECT_NEAR(result.y, 2.0f, 1e-6f);
    EXPECT_NEAR(result.z, 0.0f, 1e-6f);
}

TEST(VectorTest, IsFiniteRejectsNaNAndInfinity) {
    EXPECT_TRUE(quiltRush::isFinite(Vector3(1, 2, 3)));
    EXPECT_FALSE(quiltRush::isFinite(Vector3(1, std::nanf(""), 3)));
    EXPECT_FALSE(quiltRush::isFinite(Vector3(1, 2, INFINITY)));
}

}  // namespace
