// SPDX-License-Identifier: MIT
// Design links: the zlib stream both ways (checked against the system's zlib where the build has
// it), base64url, and links that are not ours, damaged or hostile.
#include "files/design_file.h"
#include "files/design_link.h"
#include "files/zlib_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#ifdef ZORBAL_HAVE_ZLIB
#include <zlib.h>
#endif

namespace zorbal::files {
namespace {

std::string defaultDesignText() {
    DesignTexts d;
    const char* inputs[] = {"2",  "33",  "1000", "5", "22", "0.15", "0.35",
                            "45", "0.6", "0.95", "0", "0",  "4",    "0.5"};
    for (std::size_t i = 0; i < d.inputs.size(); ++i)
        d.inputs[i] = inputs[i];
    d.parachuteTicked = true;
    return designFileText(d);
}

/// Texts of every kind the stream must carry unchanged.
std::vector<std::string> sampleTexts() {
    std::mt19937 random(7);
    std::string noise(5000, '\0');
    for (char& c : noise)
        c = static_cast<char>(random() & 0xFF);
    std::string repeats;
    while (repeats.size() < kMaxLinkDesignBytes)
        repeats += "Volume\t2\r\n";
    repeats.resize(kMaxLinkDesignBytes);
    return {"",    "a",    "aaa", std::string(1000, 'x'), std::string("\0\xFF\r\n", 4), defaultDesignText(),
            noise, repeats};
}

TEST(ZlibStream, CarriesEveryTextUnchangedAndIsTheSameEachTime) {
    for (const std::string& text : sampleTexts()) {
        const std::string stream = zlibCompress(text);
        EXPECT_EQ(zlibDecompress(stream, kMaxLinkDesignBytes), text) << text.size();
        EXPECT_EQ(zlibCompress(text), stream);
    }
    // A design file repeats little (its line ends, a few words), but the stream is still shorter.
    EXPECT_LT(zlibCompress(defaultDesignText()).size(), defaultDesignText().size());
}

#ifdef ZORBAL_HAVE_ZLIB
TEST(ZlibStream, AgreesWithTheSystemZlibBothWays) {
    for (const std::string& text : sampleTexts()) {
        // Ours read by zlib.
        const std::string ours = zlibCompress(text);
        std::string back(text.size() + 1, '\0');
        uLongf backSize = back.size();
        ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(back.data()), &backSize,
                             reinterpret_cast<const Bytef*>(ours.data()), ours.size()),
                  Z_OK);
        EXPECT_EQ(back.substr(0, backSize), text);
        // zlib's, with stored (level 0), fixed and dynamic blocks, read by ours.
        for (const int level : {0, 1, 6, 9}) {
            std::string theirs(compressBound(text.size()), '\0');
            uLongf size = theirs.size();
            ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(theirs.data()), &size,
                                reinterpret_cast<const Bytef*>(text.data()), text.size(), level),
                      Z_OK);
            theirs.resize(size);
            EXPECT_EQ(zlibDecompress(theirs, kMaxLinkDesignBytes), text) << "level " << level;
        }
    }
}
#endif

TEST(ZlibStream, RefusesStreamsThatAreCutGarbledOrTooLarge) {
    const std::string stream = zlibCompress(defaultDesignText());
    for (std::size_t cut = 0; cut < stream.size(); ++cut)
        EXPECT_FALSE(zlibDecompress(stream.substr(0, cut), kMaxLinkDesignBytes)) << cut;
    EXPECT_FALSE(zlibDecompress(stream + '\0', kMaxLinkDesignBytes)); // bytes after the end
    // A changed bit is refused (a bit after the last code changes nothing): never another text.
    for (std::size_t at = 0; at < stream.size(); ++at) {
        for (int bit = 0; bit < 8; ++bit) {
            std::string garbled = stream;
            garbled[at] = static_cast<char>(garbled[at] ^ (1 << bit));
            const auto read = zlibDecompress(garbled, kMaxLinkDesignBytes);
            EXPECT_TRUE(!read || *read == defaultDesignText()) << at << " " << bit;
        }
    }
    std::string dictionary = stream;
    dictionary[1] = static_cast<char>(0x20 | 0x1B); // FDICT set, check bits still right
    EXPECT_FALSE(zlibDecompress(dictionary, kMaxLinkDesignBytes));
    // A bomb: ten million zeros in a few kilobytes stop at the limit.
    const std::string bomb = zlibCompress(std::string(10'000'000, '\0'));
    EXPECT_LT(bomb.size(), 100'000u);
    EXPECT_FALSE(zlibDecompress(bomb, kMaxLinkDesignBytes));
    EXPECT_TRUE(zlibDecompress(zlibCompress(std::string(kMaxLinkDesignBytes, '\0')), kMaxLinkDesignBytes));
}

TEST(Base64Url, UsesOnlyCharactersAFragmentKeepsAndRefusesAnyOther) {
    EXPECT_EQ(base64UrlEncode(""), "");
    EXPECT_EQ(base64UrlEncode("f"), "Zg");
    EXPECT_EQ(base64UrlEncode("foobar"), "Zm9vYmFy");
    EXPECT_EQ(base64UrlEncode("\xFB\xFF"), "-_8");
    for (const std::string& text : sampleTexts())
        EXPECT_EQ(base64UrlDecode(base64UrlEncode(text)), text);
    EXPECT_EQ(base64UrlDecode("-_8"), "\xFB\xFF");
    for (const char* bad : {"Zg==", "+/8", "Z", "Zm9vY", "Zh", "Zm 9v", "Zm9v\n"})
        EXPECT_FALSE(base64UrlDecode(bad)) << bad;
}

TEST(DesignLink, CarriesTheDesignTextAfterTheBaseWithoutItsFragment) {
    const std::string text = defaultDesignText();
    const auto link = designLink("https://school.example/zorbal/index.html?class=7#old", text);
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->starts_with("https://school.example/zorbal/index.html?class=7#zorbal=1.")) << *link;
    const std::string payload = link->substr(link->find("#zorbal=1.") + 10);
    EXPECT_EQ(payload.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"),
              std::string::npos);
    const DesignLinkReading read = readDesignLink(*link);
    EXPECT_EQ(read.content, LinkContent::Design);
    EXPECT_EQ(read.designText, text);
    EXPECT_EQ(readDesignLink(link->substr(link->find('#'))).designText, text); // the fragment alone
    EXPECT_EQ(*designLink("file:///home/t/zorbal/index.html", text),
              "file:///home/t/zorbal/index.html#" + *designLinkFragment(text));
    // Nothing over the limits is made into a link.
    EXPECT_FALSE(designLinkFragment(std::string(kMaxLinkDesignBytes + 1, 'x')));
    EXPECT_TRUE(designLinkFragment(std::string(kMaxLinkDesignBytes, 'x')));
}

TEST(DesignLink, LeavesOtherFragmentsAloneAndRefusesDamagedOrHostileOnes) {
    for (const char* other : {"https://school.example/zorbal/", "https://x/#", "https://x/#top", "#/route",
                              "#access_token=abc&state=1", "#Zorbal=1.eJw", "#zorbal"})
        EXPECT_EQ(readDesignLink(other).content, LinkContent::NotADesign) << other;

    const std::string link = *designLink("https://x/", defaultDesignText());
    const std::size_t payload = link.find('.', link.find('#')) + 1;
    std::vector<std::string> damaged = {"#zorbal=", "#zorbal=1.", "#zorbal=2." + link.substr(payload),
                                        "#zorbal=1" + link.substr(payload)};
    for (std::size_t cut = payload; cut < link.size(); ++cut)
        damaged.push_back(link.substr(0, cut));
    for (const char* swap : {"+", "/", "=", "%", " ", "\xC3\xA9"}) {
        std::string wrong = link;
        wrong.replace(payload + 5, 1, swap);
        damaged.push_back(wrong);
    }
    damaged.push_back(link + "==");
    damaged.push_back("#zorbal=1." +
                      base64UrlEncode(zlibCompress(std::string(kMaxLinkDesignBytes + 1, 'x'))));
    for (const std::string& text : damaged)
        EXPECT_EQ(readDesignLink(text).content, LinkContent::Damaged) << text;

    // Ten megabytes are refused by their length.
    EXPECT_EQ(readDesignLink(link + std::string(10'000'000, 'A')).content, LinkContent::Damaged);
}

} // namespace
} // namespace zorbal::files
