#include "output/binary_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "testing/failing_file_system.h"
#include "testing/memory_file_system.h"

namespace lorvenna {
namespace {

std::string esadecimale(const std::string& s) {
  static const char* cifre = "0123456789abcdef";
  std::string out;
  for (unsigned char c : s) {
    out += cifre[c >> 4];
    out += cifre[c & 15];
  }
  return out;
}

TEST(FileTreno, CellIsAPacked15ByteRecord) {
  modello m;
  m.celle.resize(3);
  cella& c = m.celle[1];
  c = {1, 5121, -2, 0x1234, 7, 255, 71, 2, 16, 97, 100};
  const std::string dati = codifica_celle(m);
  ASSERT_EQ(dati.size(), 45u);
  EXPECT_EQ(esadecimale(dati.substr(15, 15)), "010114feff34120700ff4702106164");
  EXPECT_EQ(dati.substr(0, 15), std::string(15, '\0'));
}

TEST(FileScenario, RecordsCarryALengthPrefixedName) {
  modello m;
  voce_generale& v = m.dati_generali[85];
  v.tipo = 3;
  v.inizio = 8150;
  v.fine = -1;
  v.posizione = 0x01020304;
  v.opzione = 9;
  v.nome = "Lorvenna";
  v.valore_1 = 610;
  v.valore_5 = -2;
  v.codice_1 = 1;
  v.codice_4 = 4;
  v.orario = 34918;
  const std::string dati = codifica_dati_generali(m);
  ASSERT_EQ(dati.size(), 87u * 34 + 8);
  const std::string record = dati.substr(85 * 34, 42);
  EXPECT_EQ(esadecimale(record),
            "03"
            "d61f0000"
            "ffffffff"
            "04030201"
            "09"
            "0800"
            "4c6f7276656e6e61"
            "6202"
            "0000"
            "0000"
            "0000"
            "feff"
            "01"
            "00"
            "00"
            "04"
            "66880000");
  EXPECT_EQ(dati.substr(86 * 34 + 8), std::string(34, '\0'));
}

TEST(FileScenario, NamesAreWrittenAsTheirSingleBytes) {
  modello m;
  m.dati_generali[1].nome = "CITT\xC0";
  const std::string dati = codifica_dati_generali(m);
  EXPECT_EQ(dati.size(), 87u * 34 + 5);
  EXPECT_EQ(dati.substr(34 + 14, 7), std::string("\x05\x00"
                                                 "CITT\xC0",
                                                 7));
}

// Every x, then every y: two Integers, the doubles, then the empty metres.
TEST(FileLinea, TaggedValuesColumnMajor) {
  righe_planimetria p;
  p.crea(4);
  p.inizia();
  p.aggiungi(-0.0001, 2.0);
  const std::string dati = codifica_planimetria(p);
  ASSERT_EQ(dati.size(), 2u * (4 + 4 + 10 + 2 + 2));
  EXPECT_EQ(esadecimale(dati.substr(0, 8)), "0200000002000000");
  EXPECT_EQ(dati.substr(8, 2), std::string("\x05\x00", 2));
  double x;
  std::memcpy(&x, dati.data() + 10, 8);
  EXPECT_EQ(x, -0.0001);
  EXPECT_EQ(esadecimale(dati.substr(18, 4)), "00000000");
  EXPECT_EQ(esadecimale(dati.substr(22, 8)), "0200000002000100");
  EXPECT_EQ(esadecimale(dati.substr(30, 14)), "0500000000000000004000000000");
  EXPECT_EQ(p.tipo(3), righe_planimetria::etichetta::vuoto);
  EXPECT_EQ(p.y(2), 2.0);
}

// A view long enough to take several pieces, its stretches straight, curved
// and given point by point, each crossing a piece's edge somewhere.
righe_planimetria vista_lunga() {
  righe_planimetria p;
  p.crea(70000);
  p.inizia();
  p.prosegui(20000, false, 0);
  p.prosegui(15001, true, 0.002);
  for (int i = 0; i < 3; ++i) p.aggiungi(i * 0.5, -i * 0.25);
  p.prosegui(9000, true, -0.0004);
  p.prosegui(20000, false, 0);
  return p;
}

// However the metres are cut into pieces, each is drawn from the two before
// it with the same operations: the rows match the view drawn whole.
TEST(FileLinea, EveryPieceSizeDrawsTheSameRows) {
  const righe_planimetria p = vista_lunga();
  auto disegno = [&p](size_t pezzo) {
    std::string x(righe_planimetria::kDoppio * pezzo, '\0'), y = x, tutte_x, tutte_y;
    righe_planimetria::matita m(p);
    while (const size_t n = m.disegna(x.data(), y.data(), pezzo)) {
      tutte_x.append(x, 0, righe_planimetria::kDoppio * n);
      tutte_y.append(y, 0, righe_planimetria::kDoppio * n);
    }
    return tutte_x + tutte_y;
  };
  const std::string intero = disegno(p.calcolati());
  ASSERT_EQ(intero.size(), 2 * righe_planimetria::kDoppio * (p.calcolati() - 2));
  for (size_t pezzo : {1, 7, 4096, 20000}) EXPECT_EQ(disegno(pezzo), intero) << pezzo;
  // The curve turns the view: its last point is off the +y axis, and the
  // points set one by one stand as given.
  EXPECT_NE(p.x(35002), 0.0);
  EXPECT_EQ(p.x(35005), 1.0);
  EXPECT_EQ(p.y(35005), -0.5);
}

// The line file is written a piece at a time: a write that fails after the
// first pieces are out leaves neither a part file nor a new output, and the
// earlier set stands whole.
TEST(FileBinari, AWriteFailingMidwayThroughTheLineFileLeavesTheEarlierSet) {
  MemoryFileSystem disco;
  const file_binari file{"l.dat", "s.sim", "t.dat"};
  for (const std::string* f : {&file.linea, &file.scenario, &file.treno}) disco.write(*f, "prima");
  modello m;
  m.celle.resize(3);
  m.planimetria = vista_lunga();
  testing::FailingFileSystem prova(disco);
  scrivi_file_binari(prova, file, m, true);
  std::vector<size_t> scritture;
  for (size_t i = 0; i < prova.log().size(); ++i) {
    const auto& op = prova.log()[i];
    if (op.op == testing::FailingFileSystem::Op::write && op.path == file.linea)
      scritture.push_back(i);
  }
  ASSERT_GT(scritture.size(), 3u) << "the line file goes out in several pieces";
  for (const std::string* f : {&file.linea, &file.scenario, &file.treno}) disco.write(*f, "prima");

  testing::FailingFileSystem guasto(disco);
  guasto.fail_at(scritture[2]);
  EXPECT_THROW(scrivi_file_binari(guasto, file, m, true), FileError);
  ASSERT_EQ(disco.files().size(), 3u);
  for (const auto& [nome, byte] : disco.files()) EXPECT_EQ(byte, "prima") << nome;
}

TEST(FileBinari, ANameTooLongForItsPrefixWritesNoFile) {
  MemoryFileSystem fs;
  modello m;
  m.celle.resize(3);
  m.dati_generali[80].nome = std::string(65536, 'x');
  EXPECT_THROW(scrivi_file_binari(fs, {"l.dat", "s.sim", "t.dat"}, m, true), std::length_error);
  EXPECT_TRUE(fs.files().empty());
}

}  // namespace
}  // namespace lorvenna
