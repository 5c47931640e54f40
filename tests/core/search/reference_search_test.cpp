#include "catalogue/signature.h"
#include "core/catalogue/test_pictures.h"
#include "core/search/search_fixtures.h"
#include "search/reference_search.h"

#include <gtest/gtest.h>

namespace lumadex {
namespace {

using test::AddPicture;
using test::LowBits;

constexpr std::uint32_t kBits = 0x3355AA0Fu;
constexpr std::uint32_t kLevels = 0x12345678u;

QStringList Paths(const std::vector<Pdata*>& records) {
    QStringList paths;
    for (const Pdata* record : records)
        paths << record->fileName;
    return paths;
}

SearchOptions ShowingReference(bool show) {
    SearchOptions options;
    options.showReferenceInTarget = show;
    return options;
}

TEST(ReferenceSearchTest, IdenticalPicturesShowEachOtherAndThemselvesOnlyWhenAsked) {
    Catalogue catalogue;
    Pdata& a = AddPicture(catalogue, "/p/a.jpg", kBits, kLevels);
    AddPicture(catalogue, "/p/b.jpg", kBits, kLevels);
    Pdata& lone = AddPicture(catalogue, "/p/c.jpg", ~kBits, kLevels);
    EXPECT_EQ(Paths(FindSimilarForReference(catalogue, a, ShowingReference(false), true)),
              QStringList{"/p/b.jpg"});
    EXPECT_EQ(Paths(FindSimilarForReference(catalogue, a, ShowingReference(true), true)),
              (QStringList{"/p/a.jpg", "/p/b.jpg"}));
    EXPECT_FALSE(HasSimilar(catalogue, lone, ShowingReference(false)));
    EXPECT_TRUE(HasSimilar(catalogue, lone, ShowingReference(true)));
}

TEST(ReferenceSearchTest, RegionsAreSearchedOnlyWhenTheWholePictureFindsNothing) {
    Catalogue catalogue;
    Pdata& p = AddPicture(catalogue, "/p/p.jpg", kBits, kLevels);
    AddPicture(catalogue, "/p/x.jpg", 0x11111111u, 0x22222222u);
    AddPicture(catalogue, "/p/y.jpg", 0x77777777u, 0x88888888u);
    p.AddSubIndex(0x11111111u ^ LowBits(2), 0x22222222u, 0, 0, 20, 20); // x
    p.AddSubIndex(kBits, kLevels, 0, 0, 30, 30);                        // p itself
    p.AddSubIndex(0x77777777u, 0x88888888u, 5, 5, 40, 40);              // y
    p.AddSubIndex(0x11111111u, 0x22222222u, 5, 5, 50, 50);              // x again
    const SearchOptions hidden = ShowingReference(false);
    EXPECT_EQ(Paths(FindSimilarForReference(catalogue, p, hidden, true)),
              (QStringList{"/p/x.jpg", "/p/y.jpg", "/p/x.jpg"}));
    EXPECT_TRUE(FindSimilarForReference(catalogue, p, hidden, false).empty());
    EXPECT_EQ(Paths(FindSimilarForReference(catalogue, p, ShowingReference(true), true)),
              QStringList{"/p/p.jpg"})
        << "the reference shown as its own match leaves the regions unsearched";
    EXPECT_FALSE(HasSimilar(catalogue, p, hidden)) << "regions do not count here";
}

Bitmap Gradient(int width, int height) {
    return test::PaintedPicture(width, height, [&](int x, int y) {
        return MakeColour(std::uint8_t(x * 255 / width), std::uint8_t(y * 255 / height),
                          std::uint8_t((x + y) % 256));
    });
}

TEST(ReferenceSearchTest, APictureFromOutsideFindsTheRecordsSimilarToIt) {
    const Bitmap picture = Gradient(64, 48);
    Catalogue catalogue;
    Pdata& known = AddPicture(catalogue, "/p/a.jpg", 0, 0, 5000);
    ASSERT_NE(ComputeSignature(picture, known, false, 0, 0, 0, 0), -1);
    AddPicture(catalogue, "/p/b.jpg", known.signatureBits, known.signatureLevels);
    AddPicture(catalogue, "/p/c.jpg", ~known.signatureBits, known.signatureLevels);

    const auto found = FindSimilarToPicture(catalogue, picture, SearchOptions());
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(Paths(*found), (QStringList{"/p/a.jpg", "/p/b.jpg"}));

    SearchOptions sizes;
    sizes.sizeCheck = true;
    sizes.sizeRange = 2;
    EXPECT_EQ(Paths(*FindSimilarToPicture(catalogue, picture, sizes)), QStringList{"/p/b.jpg"})
        << "the picture's size is unknown: only records of unknown size pass";

    EXPECT_EQ(FindSimilarToPicture(catalogue, Gradient(15, 200), SearchOptions()), std::nullopt)
        << "too narrow to sign";
}

TEST(ReferenceSearchTest, MatchesComeInCatalogueOrderWithoutTheGroupsMembers) {
    Catalogue catalogue;
    AddPicture(catalogue, "/p/a.jpg", kBits ^ LowBits(8), kLevels, kUnknown, 3);
    AddPicture(catalogue, "/p/b.jpg", kBits ^ LowBits(9), kLevels);
    Pdata& reference = AddPicture(catalogue, "/p/c.jpg", kBits, kLevels, kUnknown, 3);
    AddPicture(catalogue, "/p/d.jpg", kBits ^ LowBits(2), kLevels, kUnknown, 4);
    AddPicture(catalogue, "/p/e.jpg", kBits, kLevels, kUnknown, 3);
    AddPicture(catalogue, "/p/f.jpg", kBits, kLevels);
    EXPECT_EQ(Paths(FindSimilarForReference(catalogue, reference, ShowingReference(true), true)),
              (QStringList{"/p/d.jpg", "/p/f.jpg"}))
        << "group 3 hides its members from each other, the reference from itself included";
}

} // namespace
} // namespace lumadex
