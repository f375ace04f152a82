#include "BinDecHex.h"
#include "VarnexError.h"

#include <QTest>

#include <climits>

namespace {

std::string Text(const QByteArray& text) {
    return text.toStdString();
}
QByteArray Bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

// A number at the given width index holding the given value, whatever a fresh number starts with.
void Prepare(TBinDecHexNumber& number, int width, std::int32_t value) {
    number.SetNumberWidth(width == 0 ? 1 : 0);
    number.SetNumberWidth(static_cast<std::uint8_t>(width));
    number.SetValue(value);
    QCOMPARE(number.Value(), value);
}

struct NotificationCounter {
    int changes = 0;
    int errors = 0;

    void Attach(TBinDecHexNumber& number) {
        number.SetOnChange([this](TBinDecHexNumber&) { ++changes; });
        number.SetOnError([this](TBinDecHexNumber&) { ++errors; });
    }
};

// One step of a scenario, written "operation=argument".
void Apply(TBinDecHexNumber& number, const QByteArray& step) {
    const qsizetype split = step.indexOf('=');
    const QByteArray operation = step.left(split);
    const QByteArray argument = step.mid(split + 1);
    if (operation == "value") {
        number.SetValue(argument.toInt());
    } else if (operation == "width") {
        number.SetNumberWidth(static_cast<std::uint8_t>(argument.toInt()));
    } else if (operation == "grouped") {
        number.SetGrouped(argument == "true");
    } else if (operation == "bin") {
        number.SetBinaryText(Text(argument));
    } else if (operation == "dec") {
        number.SetDecimalText(Text(argument));
    } else if (operation == "hex") {
        number.SetHexText(Text(argument));
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
}

class CountingNumber : public TBinDecHexNumber {
public:
    int doChangeCalls = 0;
    int doErrorCalls = 0;

protected:
    void DoChange() override {
        ++doChangeCalls;
        TBinDecHexNumber::DoChange();
    }
    void DoError() override {
        ++doErrorCalls;
        TBinDecHexNumber::DoError();
    }
};

} // namespace

class TestBinDecHex : public QObject {
    Q_OBJECT

private slots:
    void binaryToInt_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("zero") << QByteArray("0") << 0;
        QTest::newRow("101") << QByteArray("101") << 5;
        QTest::newRow("leading zeros") << QByteArray("00000110") << 6;
        QTest::newRow("letter keeps its position") << QByteArray("1x1") << 5;
        QTest::newRow("space keeps its position") << QByteArray("1 0") << 4;
        QTest::newRow("only 1 sets a bit") << QByteArray("121") << 5;
        QTest::newRow("leading minus adds nothing") << QByteArray("-101") << 5;
        QTest::newRow("32 ones") << QByteArray(32, '1') << -1;
        QTest::newRow("top bit") << QByteArray("1") + QByteArray(31, '0') << INT_MIN;
        QTest::newRow("bit 32 wraps to bit 0") << QByteArray("1") + QByteArray(32, '0') << 1;
    }
    void binaryToInt() {
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        QCOMPARE(BinaryToInt(Text(text)), value);
    }

    void hexToInt_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("lower case") << QByteArray("ff") << 255;
        QTest::newRow("upper case") << QByteArray("FF") << 255;
        QTest::newRow("mixed case") << QByteArray("aBcD") << 0xABCD;
        QTest::newRow("unknown last digit keeps its position") << QByteArray("1G") << 16;
        QTest::newRow("unknown first digit") << QByteArray("G1") << 1;
        QTest::newRow("space keeps its position") << QByteArray("1 0") << 256;
        QTest::newRow("z is no digit") << QByteArray("z") << 0;
        QTest::newRow("leading minus adds nothing") << QByteArray("-1A") << 26;
        QTest::newRow("all ones") << QByteArray("FFFFFFFF") << -1;
        QTest::newRow("top bit") << QByteArray("80000000") << INT_MIN;
        QTest::newRow("largest positive") << QByteArray("7fffffff") << INT_MAX;
        QTest::newRow("ninth digit wraps to the first") << QByteArray("200000001") << 3;
    }
    void hexToInt() {
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        QCOMPARE(HexToInt(Text(text)), value);
    }

    void intToBinary_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("-6 in 16") << -6 << 16 << QByteArray("1111111111111010");
        QTest::newRow("-6 in 4") << -6 << 4 << QByteArray("1010");
        QTest::newRow("5 in 8") << 5 << 8 << QByteArray("00000101");
        QTest::newRow("256 in 8 keeps the low bits") << 256 << 8 << QByteArray("00000000");
        QTest::newRow("one digit of 1") << 1 << 1 << QByteArray("1");
        QTest::newRow("one digit of 2") << 2 << 1 << QByteArray("0");
        QTest::newRow("-1 in 32") << -1 << 32 << QByteArray(32, '1');
        QTest::newRow("min in 32") << INT_MIN << 32 << QByteArray("1") + QByteArray(31, '0');
        QTest::newRow("max in 32") << INT_MAX << 32 << QByteArray("0") + QByteArray(31, '1');
    }
    void intToBinary() {
        QFETCH(int, value);
        QFETCH(int, digits);
        QFETCH(QByteArray, text);
        QCOMPARE(Bytes(IntToBinary(value, digits)), text);
        QCOMPARE(BinaryToInt(IntToBinary(value, 32)), value);
    }

    void intToBinaryRejectsDigitCountsOutsideTheWord() {
        QVERIFY_THROWS_EXCEPTION(EVarnexError, IntToBinary(1, 0));
        QVERIFY_THROWS_EXCEPTION(EVarnexError, IntToBinary(1, 33));
    }

    void insertSeparators_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<char>("separator");
        QTest::addColumn<int>("groupSize");
        QTest::addColumn<QByteArray>("grouped");
        QTest::newRow("empty") << QByteArray() << ',' << 3 << QByteArray();
        QTest::newRow("shorter than a group") << QByteArray("12") << ',' << 3 << QByteArray("12");
        QTest::newRow("one full group") << QByteArray("123") << ',' << 3 << QByteArray("123");
        QTest::newRow("1234") << QByteArray("1234") << ',' << 3 << QByteArray("1,234");
        QTest::newRow("1234567") << QByteArray("1234567") << ',' << 3 << QByteArray("1,234,567");
        QTest::newRow("minus with full groups")
            << QByteArray("-123456") << ',' << 3 << QByteArray("-123,456");
        QTest::newRow("minus with a short group")
            << QByteArray("-12345") << ',' << 3 << QByteArray("-12,345");
        QTest::newRow("minus and one group")
            << QByteArray("-123") << ',' << 3 << QByteArray("-123");
        QTest::newRow("minus, spaces of 2")
            << QByteArray("-1234") << ' ' << 2 << QByteArray("-12 34");
        QTest::newRow("bytes") << QByteArray("FFFFFFFA") << ' ' << 2 << QByteArray("FF FF FF FA");
        QTest::newRow("octets") << QByteArray(16, '0') << ' ' << 8
                                << QByteArray("00000000 00000000");
        QTest::newRow("group of one") << QByteArray("123") << '.' << 1 << QByteArray("1.2.3");
    }
    void insertSeparators() {
        QFETCH(QByteArray, text);
        QFETCH(char, separator);
        QFETCH(int, groupSize);
        QFETCH(QByteArray, grouped);
        std::string value = Text(text);
        InsertSeparators(value, separator, groupSize);
        QCOMPARE(Bytes(value), grouped);
    }

    void insertSeparatorsRejectsEmptyGroups() {
        std::string text = "123";
        QVERIFY_THROWS_EXCEPTION(EVarnexError, InsertSeparators(text, ',', 0));
        QCOMPARE(Bytes(text), QByteArray("123"));
    }

    void thousandsAndSpaceSeparators() {
        std::string thousands = "-2147483648";
        InsertThousandsSeparators(thousands);
        QCOMPARE(Bytes(thousands), QByteArray("-2,147,483,648"));
        std::string spaced = "10000000000000000000000000000000";
        InsertSpaceSeparators(spaced, 8);
        QCOMPARE(Bytes(spaced), QByteArray("10000000 00000000 00000000 00000000"));
    }

    void deleteCharsInSet_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("set");
        QTest::addColumn<QByteArray>("result");
        QTest::newRow("commas") << QByteArray("a,b,,c,") << QByteArray(",") << QByteArray("abc");
        QTest::newRow("everything") << QByteArray("aaa") << QByteArray("a") << QByteArray();
        QTest::newRow("empty set") << QByteArray("a b") << QByteArray() << QByteArray("a b");
        QTest::newRow("empty text") << QByteArray() << QByteArray("ab") << QByteArray();
        QTest::newRow("several members")
            << QByteArray("1.2-3 4") << QByteArray(" .-") << QByteArray("1234");
    }
    void deleteCharsInSet() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, set);
        QFETCH(QByteArray, result);
        std::string value = Text(text);
        DeleteCharsInSet(value, Text(set));
        QCOMPARE(Bytes(value), result);
    }

    void stripNumberText_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("stripped");
        QTest::newRow("thousands") << QByteArray("-1,234") << QByteArray("-1234");
        QTest::newRow("spaced hex") << QByteArray("00 FF") << QByteArray("00FF");
        QTest::newRow("minus alone") << QByteArray("-") << QByteArray();
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("inner minus and point") << QByteArray("1.2-3") << QByteArray("123");
        QTest::newRow("double minus") << QByteArray("--5") << QByteArray("-5");
        QTest::newRow("minus after space") << QByteArray(" -5") << QByteArray("5");
        QTest::newRow("space after minus") << QByteArray("- 5") << QByteArray("-5");
        QTest::newRow("trailing minus") << QByteArray("5-") << QByteArray("5");
        QTest::newRow("other characters stay") << QByteArray("+a_b") << QByteArray("+a_b");
    }
    void stripNumberText() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, stripped);
        std::string value = Text(text);
        StripNumberText(value);
        QCOMPARE(Bytes(value), stripped);
    }

    void freshNumber() {
        TBinDecHexNumber number;
        QCOMPARE(number.Grouped(), false);
        QCOMPARE(number.MaxValue(), 0);
        QCOMPARE(number.NumberWidth(), std::uint8_t(2));
        QCOMPARE(number.Value(), 0);
        NotificationCounter counter;
        counter.Attach(number);
        number.SetNumberWidth(2);
        QCOMPARE(number.MaxValue(), 0);
        number.SetValue(1);
        QCOMPARE(number.Value(), 0);
        QCOMPARE(counter.changes, 0);
        QCOMPARE(counter.errors, 1);
        number.SetValue(-1);
        QCOMPARE(number.Value(), -1);
        QCOMPARE(counter.changes, 1);
    }

    void widthSetsTheBound_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("maxValue");
        QTest::newRow("8 bits") << 0 << 255;
        QTest::newRow("16 bits") << 1 << 65535;
        QTest::newRow("32 bits") << 2 << INT_MAX;
    }
    void widthSetsTheBound() {
        QFETCH(int, width);
        QFETCH(int, maxValue);
        TBinDecHexNumber number;
        Prepare(number, width, 0);
        QCOMPARE(number.MaxValue(), maxValue);
        number.SetValue(maxValue);
        QCOMPARE(number.Value(), maxValue);
    }

    void widthOutOfRangeIsRejected() {
        TBinDecHexNumber number;
        Prepare(number, 1, 1000);
        NotificationCounter counter;
        counter.Attach(number);
        QVERIFY_THROWS_EXCEPTION(EVarnexError, number.SetNumberWidth(3));
        QCOMPARE(number.NumberWidth(), std::uint8_t(1));
        QCOMPARE(number.MaxValue(), 65535);
        QCOMPARE(number.Value(), 1000);
        QCOMPARE(counter.changes + counter.errors, 0);
    }

    void textForms_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("decimal");
        QTest::addColumn<QByteArray>("hex");
        QTest::addColumn<QByteArray>("binary");
        QTest::newRow("16, 0") << 1 << 0 << QByteArray("0") << QByteArray("00 00")
                               << QByteArray("00000000 00000000");
        QTest::newRow("16, 1234") << 1 << 1234 << QByteArray("1,234") << QByteArray("04 D2")
                                  << QByteArray("00000100 11010010");
        QTest::newRow("16, -6") << 1 << -6 << QByteArray("-6") << QByteArray("FF FF FF FA")
                                << QByteArray("11111111 11111010");
        QTest::newRow("8, 255") << 0 << 255 << QByteArray("255") << QByteArray("FF")
                                << QByteArray("11111111");
        QTest::newRow("8, 10") << 0 << 10 << QByteArray("10") << QByteArray("0A")
                               << QByteArray("00001010");
        QTest::newRow("32, max") << 2 << INT_MAX << QByteArray("2,147,483,647")
                                 << QByteArray("7F FF FF FF")
                                 << QByteArray("01111111 11111111 11111111 11111111");
        QTest::newRow("32, -123456")
            << 2 << -123456 << QByteArray("-123,456") << QByteArray("FF FE 1D C0")
            << QByteArray("11111111 11111110 00011101 11000000");
        QTest::newRow("32, min") << 2 << INT_MIN << QByteArray("-2,147,483,648")
                                 << QByteArray("80 00 00 00")
                                 << QByteArray("10000000 00000000 00000000 00000000");
    }
    void textForms() {
        QFETCH(int, width);
        QFETCH(int, value);
        QFETCH(QByteArray, decimal);
        QFETCH(QByteArray, hex);
        QFETCH(QByteArray, binary);
        TBinDecHexNumber number;
        Prepare(number, width, value);
        number.SetGrouped(true);
        QCOMPARE(Bytes(number.DecimalText()), decimal);
        QCOMPARE(Bytes(number.HexText()), hex);
        QCOMPARE(Bytes(number.BinaryText()), binary);

        number.SetGrouped(false);
        QCOMPARE(Bytes(number.DecimalText()), QByteArray(decimal).replace(",", ""));
        QCOMPARE(Bytes(number.HexText()), QByteArray(hex).replace(" ", ""));
        QCOMPARE(Bytes(number.BinaryText()), QByteArray(binary).replace(" ", ""));

        // The grouped decimal and hexadecimal forms read back as the same value.
        TBinDecHexNumber reader;
        Prepare(reader, 2, 1);
        reader.SetDecimalText(Text(decimal));
        QCOMPARE(reader.Value(), value);
        reader.SetValue(1);
        reader.SetHexText(Text(hex));
        QCOMPARE(reader.Value(), value);
    }

    void notifications_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("initial");
        QTest::addColumn<QByteArrayList>("steps");
        QTest::addColumn<int>("changes");
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("value");

        QTest::newRow("new value") << 1 << 0 << QByteArrayList{"value=100"} << 1 << 0 << 100;
        QTest::newRow("current value") << 1 << 100 << QByteArrayList{"value=100"} << 0 << 0 << 100;
        QTest::newRow("value at the bound")
            << 1 << 0 << QByteArrayList{"value=65535"} << 1 << 0 << 65535;
        QTest::newRow("value above the bound")
            << 1 << 7 << QByteArrayList{"value=65536"} << 0 << 1 << 7;
        QTest::newRow("negative value") << 0 << 7 << QByteArrayList{"value=-1"} << 1 << 0 << -1;
        QTest::newRow("other width keeping the value")
            << 1 << 5 << QByteArrayList{"width=2"} << 1 << 0 << 5;
        QTest::newRow("32 to 8 bits with 1000")
            << 2 << 1000 << QByteArrayList{"width=0"} << 1 << 0 << 255;
        QTest::newRow("same width") << 1 << 5 << QByteArrayList{"width=1"} << 0 << 0 << 5;
        QTest::newRow("grouped") << 1 << 5 << QByteArrayList{"grouped=true"} << 1 << 0 << 5;
        QTest::newRow("ungrouped already")
            << 1 << 5 << QByteArrayList{"grouped=false"} << 0 << 0 << 5;
        QTest::newRow("grouped twice")
            << 1 << 5 << QByteArrayList{"grouped=true", "grouped=true"} << 1 << 0 << 5;
        QTest::newRow("grouped on and off")
            << 1 << 5 << QByteArrayList{"grouped=true", "grouped=false"} << 2 << 0 << 5;

        QTest::newRow("decimal 70,000 at 16 bits")
            << 1 << 7 << QByteArrayList{"dec=70,000"} << 0 << 1 << 7;
        QTest::newRow("decimal 65,535 at 16 bits")
            << 1 << 7 << QByteArrayList{"dec=65,535"} << 1 << 0 << 65535;
        QTest::newRow("decimal current value")
            << 1 << 1234 << QByteArrayList{"dec=1,234"} << 0 << 0 << 1234;
        QTest::newRow("decimal -5 at 8 bits") << 0 << 7 << QByteArrayList{"dec=-5"} << 1 << 0 << -5;
        QTest::newRow("decimal -5 at 8 bits, then 16 bits")
            << 0 << 7 << QByteArrayList{"dec=-5", "width=1"} << 2 << 0 << 65535;
        QTest::newRow("decimal 2147483647 at 32 bits")
            << 2 << 7 << QByteArrayList{"dec=2147483647"} << 1 << 0 << INT_MAX;
        QTest::newRow("decimal 2147483648 at 32 bits")
            << 2 << 7 << QByteArrayList{"dec=2147483648"} << 0 << 1 << 7;
        QTest::newRow("decimal -2,147,483,648")
            << 2 << 7 << QByteArrayList{"dec=-2,147,483,648"} << 1 << 0 << INT_MIN;
        QTest::newRow("decimal -2147483649")
            << 2 << 7 << QByteArrayList{"dec=-2147483649"} << 0 << 1 << 7;
        QTest::newRow("decimal far out of range")
            << 2 << 7 << QByteArrayList{"dec=99999999999999999999"} << 0 << 1 << 7;
        QTest::newRow("decimal plus sign") << 1 << 7 << QByteArrayList{"dec=+12"} << 1 << 0 << 12;
        QTest::newRow("decimal plus alone") << 1 << 7 << QByteArrayList{"dec=+"} << 0 << 1 << 7;
        QTest::newRow("decimal with a letter")
            << 1 << 7 << QByteArrayList{"dec=12a"} << 0 << 1 << 7;
        QTest::newRow("decimal in hex notation")
            << 1 << 7 << QByteArrayList{"dec=$10"} << 0 << 1 << 7;
        QTest::newRow("decimal with a tab") << 1 << 7 << QByteArrayList{"dec=\t5"} << 0 << 1 << 7;
        QTest::newRow("decimal with inner minus")
            << 1 << 7 << QByteArrayList{"dec=1-2"} << 1 << 0 << 12;
        QTest::newRow("decimal -0") << 1 << 0 << QByteArrayList{"dec=-0"} << 0 << 0 << 0;
        QTest::newRow("decimal empty") << 1 << 7 << QByteArrayList{"dec="} << 0 << 1 << 7;
        QTest::newRow("decimal minus alone") << 1 << 7 << QByteArrayList{"dec=-"} << 0 << 1 << 7;
        QTest::newRow("decimal separators only")
            << 1 << 7 << QByteArrayList{"dec= , "} << 0 << 1 << 7;

        QTest::newRow("hex FFFFFFFF at 32 bits")
            << 2 << 7 << QByteArrayList{"hex=FFFFFFFF"} << 1 << 0 << -1;
        QTest::newRow("hex ff") << 1 << 7 << QByteArrayList{"hex=ff"} << 1 << 0 << 255;
        QTest::newRow("hex FF") << 1 << 7 << QByteArrayList{"hex=FF"} << 1 << 0 << 255;
        QTest::newRow("hex 1G") << 1 << 7 << QByteArrayList{"hex=1G"} << 1 << 0 << 16;
        QTest::newRow("hex above the bound") << 0 << 7 << QByteArrayList{"hex=100"} << 0 << 1 << 7;
        QTest::newRow("hex empty") << 1 << 7 << QByteArrayList{"hex="} << 0 << 1 << 7;
        QTest::newRow("hex minus alone") << 1 << 7 << QByteArrayList{"hex=-"} << 1 << 0 << 0;
        QTest::newRow("hex minus and digits")
            << 1 << 7 << QByteArrayList{"hex=-1A"} << 1 << 0 << 26;

        QTest::newRow("binary 1 0000 0001 at 16 bits")
            << 1 << 7 << QByteArrayList{"bin=1 0000 0001"} << 1 << 0 << 257;
        QTest::newRow("binary 1 0000 0001 at 8 bits")
            << 0 << 7 << QByteArrayList{"bin=1 0000 0001"} << 0 << 1 << 7;
        QTest::newRow("binary empty") << 1 << 7 << QByteArrayList{"bin="} << 0 << 1 << 7;
        QTest::newRow("binary minus alone") << 1 << 7 << QByteArrayList{"bin=-"} << 1 << 0 << 0;
        QTest::newRow("binary minus alone at zero")
            << 1 << 0 << QByteArrayList{"bin=-"} << 0 << 0 << 0;
        QTest::newRow("binary 32 ones at 32 bits")
            << 2 << 7 << QByteArrayList{"bin=" + QByteArray(32, '1')} << 1 << 0 << -1;
    }
    void notifications() {
        QFETCH(int, width);
        QFETCH(int, initial);
        QFETCH(QByteArrayList, steps);
        QFETCH(int, changes);
        QFETCH(int, errors);
        QFETCH(int, value);
        TBinDecHexNumber number;
        Prepare(number, width, initial);
        NotificationCounter counter;
        counter.Attach(number);
        for (const QByteArray& step : steps) {
            Apply(number, step);
        }
        QCOMPARE(counter.changes, changes);
        QCOMPARE(counter.errors, errors);
        QCOMPARE(number.Value(), value);
    }

    void handlersReceiveTheNumberAfterTheChange() {
        TBinDecHexNumber number;
        Prepare(number, 1, 0);
        const TBinDecHexNumber* sender = nullptr;
        QByteArray shownText;
        number.SetOnChange([&](TBinDecHexNumber& changed) {
            sender = &changed;
            shownText = Bytes(changed.DecimalText());
        });
        number.SetDecimalText("1234");
        QCOMPARE(sender, &number);
        QCOMPARE(shownText, QByteArray("1234"));
        number.SetGrouped(true);
        QCOMPARE(shownText, QByteArray("1,234"));
    }

    void unassignedNotificationsAreSkipped() {
        TBinDecHexNumber number;
        Prepare(number, 0, 0);
        number.SetValue(300);
        number.SetDecimalText("");
        number.SetValue(3);
        QCOMPARE(number.Value(), 3);
    }

    void overridesSeeEveryNotification() {
        CountingNumber number;
        number.SetNumberWidth(0);
        number.SetValue(300);
        number.SetHexText("");
        number.SetBinaryText("1");
        QCOMPARE(number.doChangeCalls, 2);
        QCOMPARE(number.doErrorCalls, 2);
    }

    void changeHandlerMaySetTheValueAgain() {
        TBinDecHexNumber number;
        Prepare(number, 1, 0);
        int changes = 0;
        std::int32_t limit = 100;
        number.SetOnChange([&](TBinDecHexNumber& changed) {
            ++changes;
            if (changed.Value() > limit) {
                changed.SetValue(limit);
            }
        });
        number.SetDecimalText("500");
        QCOMPARE(number.Value(), 100);
        QCOMPARE(changes, 2);
        QCOMPARE(Bytes(number.DecimalText()), QByteArray("100"));
        QCOMPARE(Bytes(number.HexText()), QByteArray("0064"));

        limit = INT_MAX;
        number.SetNumberWidth(2);
        number.SetValue(1000);
        limit = 100;
        changes = 0;
        number.SetNumberWidth(0);
        QCOMPARE(number.Value(), 100);
        QCOMPARE(number.MaxValue(), 255);
        QCOMPARE(number.NumberWidth(), std::uint8_t(0));
        QCOMPARE(Bytes(number.BinaryText()), QByteArray("01100100"));
        QCOMPARE(changes, 2);
    }

    void errorHandlerMaySetTheValue() {
        TBinDecHexNumber number;
        Prepare(number, 0, 7);
        int changes = 0;
        number.SetOnChange([&](TBinDecHexNumber&) { ++changes; });
        number.SetOnError([](TBinDecHexNumber& failed) { failed.SetValue(0); });
        number.SetDecimalText("256");
        QCOMPARE(number.Value(), 0);
        QCOMPARE(changes, 1);
    }

    void handlerMayReplaceItself() {
        TBinDecHexNumber number;
        Prepare(number, 1, 0);
        QByteArray log;
        // The captured text lives in the running handler; replacing the handler must not free it.
        const QByteArray first = QByteArray("first handler, long enough to live on the heap;");
        number.SetOnChange([&number, &log, first](TBinDecHexNumber&) {
            number.SetOnChange([&log](TBinDecHexNumber&) { log += "second;"; });
            log += first;
        });
        number.SetValue(1);
        number.SetValue(2);
        QCOMPARE(log, first + "second;");
    }
};

QTEST_APPLESS_MAIN(TestBinDecHex)
#include "tst_BinDecHex.moc"
