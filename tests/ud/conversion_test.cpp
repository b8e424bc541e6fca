#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "parser/ud/conllu.h"
#include "parser/ud/convert.h"
#include "parser/ud/dep_format.h"
#include "parser/ud/scheme.h"
#include "parser/ud/tree_edit.h"

namespace velmo::ud {
namespace {

UdSentence parse_ud(const std::string& text) {
  std::istringstream in(text);
  std::vector<ConlluProblem> problems;
  std::vector<UdSentence> sentences = read_conllu(in, &problems);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(sentences.size(), 1u);
  return sentences.empty() ? UdSentence() : sentences[0];
}

std::string scheme_text(const std::string& ud) {
  std::ostringstream out;
  write_dep_format(out, ud_to_scheme(parse_ud(ud)));
  return out.str();
}

// Heads and relations as "head:relation" per word.
std::string attachments(const UdSentence& sentence) {
  std::string result;
  for (const UdWord& word : sentence.words) result += std::to_string(word.head) + ":" + word.deprel + " ";
  return result;
}

void expect_round_trip(const std::string& ud) {
  UdSentence gold = parse_ud(ud);
  UdSentence back = scheme_to_ud(ud_to_scheme(gold));
  EXPECT_EQ(attachments(back), attachments(gold));
}

// What velmo printed, read back, with the line it parsed.
UdSentence from_velmo(const std::string& output, const std::string& line) {
  std::istringstream in(output);
  DepFormatReader reader(in);
  PlainTree tree;
  EXPECT_TRUE(reader.next(tree));
  EXPECT_TRUE(reader.problems().empty());
  attach_text(tree, line);
  UdSentence sentence = scheme_to_ud(tree);
  // What we write must read back as a valid tree.
  std::ostringstream out;
  write_conllu(out, sentence);
  std::istringstream again(out.str());
  std::vector<ConlluProblem> problems;
  read_conllu(again, &problems);
  EXPECT_TRUE(problems.empty()) << out.str();
  return sentence;
}

TEST(UdToScheme, Copula) {
  const char* const ud =
      "# text = The car is red.\n"
      "1\tThe\tthe\tDET\tDT\t_\t2\tdet\t_\t_\n"
      "2\tcar\tcar\tNOUN\tNN\t_\t4\tnsubj\t_\t_\n"
      "3\tis\tbe\tAUX\tVBZ\tVerbForm=Fin\t4\tcop\t_\t_\n"
      "4\tred\tred\tADJ\tJJ\t_\t0\troot\t_\tSpaceAfter=No\n"
      "5\t.\t.\tPUNCT\t.\t_\t4\tpunct\t_\t_\n";
  EXPECT_EQ(scheme_text(ud),
            "(\n"
            "E1\t(()\tfin C\t*\t)\n"
            "1\t(The\t~ Det\t2\tdet\t(gov car))\n"
            "2\t(car\t~ N\t3\ts\t(gov be))\n"
            "3\t(is\tbe VBE\tE1\ti\t(gov fin))\n"
            "4\t(red\t~ A\t3\tpred\t(gov be))\n"
            "5\t(.\t~ Punc\t3\tpunc\t(gov be))\n"
            "E2\t(()\tcar N\t3\tsubj\t(gov be)\t(antecedent 2))\n"
            ")\n");
  expect_round_trip(ud);
}

TEST(UdToScheme, PrepositionalPhrases) {
  const char* const ud =
      "# sent_id = pp\n"
      "# text = Ann saw the man with a telescope in the park.\n"
      "1\tAnn\tAnn\tPROPN\tNNP\tNumber=Sing\t2\tnsubj\t2:nsubj\t_\n"
      "2\tsaw\tsee\tVERB\tVBD\tMood=Ind|Tense=Past|VerbForm=Fin\t0\troot\t0:root\t_\n"
      "3\tthe\tthe\tDET\tDT\t_\t4\tdet\t4:det\t_\n"
      "4\tman\tman\tNOUN\tNN\tNumber=Sing\t2\tobj\t2:obj\t_\n"
      "5\twith\twith\tADP\tIN\t_\t7\tcase\t7:case\t_\n"
      "6\ta\ta\tDET\tDT\t_\t7\tdet\t7:det\t_\n"
      "7\ttelescope\ttelescope\tNOUN\tNN\tNumber=Sing\t4\tnmod\t4:nmod:with\t_\n"
      "8\tin\tin\tADP\tIN\t_\t10\tcase\t10:case\t_\n"
      "9\tthe\tthe\tDET\tDT\t_\t10\tdet\t10:det\t_\n"
      "10\tpark\tpark\tNOUN\tNN\tNumber=Sing\t2\tobl\t2:obl:in\tSpaceAfter=No\n"
      "11\t.\t.\tPUNCT\t.\t_\t2\tpunct\t2:punct\t_\n";
  EXPECT_EQ(scheme_text(ud),
            "(\n"
            "E1\t(()\tfin C\t*\t)\n"
            "1\t(Ann\t~ N\t2\ts\t(gov see))\n"
            "2\t(saw\tsee V\tE1\ti\t(gov fin))\n"
            "3\t(the\t~ Det\t4\tdet\t(gov man))\n"
            "4\t(man\t~ N\t2\tobj\t(gov see))\n"
            "5\t(with\t~ Prep\t4\tmod\t(gov man))\n"
            "6\t(a\t~ Det\t7\tdet\t(gov telescope))\n"
            "7\t(telescope\t~ N\t5\tpcomp\t(gov with))\n"
            "8\t(in\t~ Prep\t2\tmod\t(gov see))\n"
            "9\t(the\t~ Det\t10\tdet\t(gov park))\n"
            "10\t(park\t~ N\t8\tpcomp\t(gov in))\n"
            "11\t(.\t~ Punc\t2\tpunc\t(gov see))\n"
            "E2\t(()\tAnn N\t2\tsubj\t(gov see)\t(antecedent 1))\n"
            ")\n");
  expect_round_trip(ud);
}

TEST(UdToScheme, AuxiliaryChain) {
  const char* const ud =
      "# sent_id = aux\n"
      "# text = It will have been eaten.\n"
      "1\tIt\tit\tPRON\tPRP\tCase=Nom\t5\tnsubj:pass\t5:nsubj:pass\t_\n"
      "2\twill\twill\tAUX\tMD\tVerbForm=Fin\t5\taux\t5:aux\t_\n"
      "3\thave\thave\tAUX\tVB\tVerbForm=Inf\t5\taux\t5:aux\t_\n"
      "4\tbeen\tbe\tAUX\tVBN\tVerbForm=Part\t5\taux:pass\t5:aux:pass\t_\n"
      "5\teaten\teat\tVERB\tVBN\tVerbForm=Part|Voice=Pass\t0\troot\t0:root\tSpaceAfter=No\n"
      "6\t.\t.\tPUNCT\t.\t_\t5\tpunct\t5:punct\t_\n";
  EXPECT_EQ(scheme_text(ud),
            "(\n"
            "E1\t(()\tfin C\t*\t)\n"
            "1\t(It\t~ N\t5\ts\t(gov eat))\n"
            "2\t(will\t~ VB\t5\taux\t(gov eat))\n"
            "3\t(have\t~ VB\t5\taux\t(gov eat))\n"
            "4\t(been\tbe VB\t5\taux\t(gov eat))\n"
            "5\t(eaten\teat V\tE1\ti\t(gov fin))\n"
            "6\t(.\t~ Punc\t5\tpunc\t(gov eat))\n"
            "E2\t(()\tit N\t5\tobj\t(gov eat)\t(antecedent 1))\n"
            ")\n");
  expect_round_trip(ud);
}

TEST(UdToScheme, RelativeClause) {
  const char* const ud =
      "# sent_id = relative\n"
      "# text = The book that I read left.\n"
      "1\tThe\tthe\tDET\tDT\t_\t2\tdet\t2:det\t_\n"
      "2\tbook\tbook\tNOUN\tNN\tNumber=Sing\t6\tnsubj\t6:nsubj|5:obj\t_\n"
      "3\tthat\tthat\tPRON\tWDT\tPronType=Rel\t5\tobj\t2:ref\t_\n"
      "4\tI\tI\tPRON\tPRP\tCase=Nom\t5\tnsubj\t5:nsubj\t_\n"
      "5\tread\tread\tVERB\tVBD\tVerbForm=Fin\t2\tacl:relcl\t2:acl:relcl\t_\n"
      "6\tleft\tleave\tVERB\tVBD\tVerbForm=Fin\t0\troot\t0:root\tSpaceAfter=No\n"
      "7\t.\t.\tPUNCT\t.\t_\t6\tpunct\t6:punct\t_\n";
  EXPECT_EQ(scheme_text(ud),
            "(\n"
            "E1\t(()\tfin C\t*\t)\n"
            "1\t(The\t~ Det\t2\tdet\t(gov book))\n"
            "2\t(book\t~ N\t6\ts\t(gov leave))\n"
            "E2\t(()\tfin C\t2\trel\t(gov book))\n"
            "3\t(that\t~ N\t5\tobj\t(gov read))\n"
            "4\t(I\t~ N\t5\ts\t(gov read))\n"
            "5\t(read\t~ V\tE2\ti\t(gov fin))\n"
            "E3\t(()\tI N\t5\tsubj\t(gov read)\t(antecedent 4))\n"
            "6\t(left\tleave V\tE1\ti\t(gov fin))\n"
            "7\t(.\t~ Punc\t6\tpunc\t(gov leave))\n"
            "E4\t(()\tbook N\t6\tsubj\t(gov leave)\t(antecedent 2))\n"
            ")\n");
  expect_round_trip(ud);
}

TEST(UdToScheme, ThreeConjunctsWithComma) {
  const char* const ud =
      "# sent_id = coordination\n"
      "# text = Ann, Bob and Cy came.\n"
      "1\tAnn\tAnn\tPROPN\tNNP\t_\t6\tnsubj\t6:nsubj\tSpaceAfter=No\n"
      "2\t,\t,\tPUNCT\t,\t_\t3\tpunct\t3:punct\t_\n"
      "3\tBob\tBob\tPROPN\tNNP\t_\t1\tconj\t1:conj:and|6:nsubj\t_\n"
      "4\tand\tand\tCCONJ\tCC\t_\t5\tcc\t5:cc\t_\n"
      "5\tCy\tCy\tPROPN\tNNP\t_\t1\tconj\t1:conj:and|6:nsubj\t_\n"
      "6\tcame\tcome\tVERB\tVBD\tVerbForm=Fin\t0\troot\t0:root\tSpaceAfter=No\n"
      "7\t.\t.\tPUNCT\t.\t_\t6\tpunct\t6:punct\t_\n";
  EXPECT_EQ(scheme_text(ud),
            "(\n"
            "E1\t(()\tfin C\t*\t)\n"
            "1\t(Ann\t~ N\t6\ts\t(gov come))\n"
            "2\t(,\t~ Punc\t3\tpunc\t(gov Bob))\n"
            "3\t(Bob\t~ N\t1\tconj\t(gov Ann))\n"
            "4\t(and\t~ Conn\t5\tcc\t(gov Cy))\n"
            "5\t(Cy\t~ N\t1\tconj\t(gov Ann))\n"
            "6\t(came\tcome V\tE1\ti\t(gov fin))\n"
            "7\t(.\t~ Punc\t6\tpunc\t(gov come))\n"
            "E2\t(()\tAnn N\t6\tsubj\t(gov come)\t(antecedent 1))\n"
            ")\n");
  expect_round_trip(ud);
}

TEST(UdToScheme, ContractionAndComplementiser) {
  const char* const ud =
      "# sent_id = contraction\n"
      "# text = I don't know that he left.\n"
      "1\tI\tI\tPRON\tPRP\tCase=Nom\t4\tnsubj\t4:nsubj\t_\n"
      "2-3\tdon't\t_\t_\t_\t_\t_\t_\t_\t_\n"
      "2\tdo\tdo\tAUX\tVBP\tMood=Ind|VerbForm=Fin\t4\taux\t4:aux\t_\n"
      "3\tn't\tnot\tPART\tRB\t_\t4\tadvmod\t4:advmod\t_\n"
      "4\tknow\tknow\tVERB\tVB\tVerbForm=Inf\t0\troot\t0:root\t_\n"
      "5\tthat\tthat\tSCONJ\tIN\t_\t7\tmark\t7:mark\t_\n"
      "6\the\the\tPRON\tPRP\tCase=Nom\t7\tnsubj\t7:nsubj\t_\n"
      "7\tleft\tleave\tVERB\tVBD\tVerbForm=Fin\t4\tccomp\t4:ccomp\tSpaceAfter=No\n"
      "8\t.\t.\tPUNCT\t.\t_\t4\tpunct\t4:punct\t_\n";
  EXPECT_EQ(scheme_text(ud),
            "(\n"
            "E1\t(()\tfin C\t*\t)\n"
            "1\t(I\t~ N\t4\ts\t(gov know))\n"
            "2\t(do\t~ VB\t4\taux\t(gov know))\n"
            "3\t(n't\t~ Adv\t4\tmod\t(gov know))\n"
            "4\t(know\t~ V\tE1\ti\t(gov fin))\n"
            "5\t(that\t~ C\t4\tcomp\t(gov know))\n"
            "6\t(he\t~ N\t7\ts\t(gov leave))\n"
            "7\t(left\tleave V\t5\ti\t(gov that))\n"
            "E2\t(()\the N\t7\tsubj\t(gov leave)\t(antecedent 6))\n"
            "8\t(.\t~ Punc\t4\tpunc\t(gov know))\n"
            "E3\t(()\tI N\t4\tsubj\t(gov know)\t(antecedent 1))\n"
            ")\n");
  expect_round_trip(ud);
}

TEST(UdToScheme, ControlledSubjectsComeFromTheEnhancedGraph) {
  PlainTree tree =
      ud_to_scheme(parse_ud("1\tAnn\tAnn\tPROPN\tNNP\t_\t2\tnsubj\t2:nsubj|4:nsubj:xsubj\t_\n"
                            "2\twants\twant\tVERB\tVBZ\tVerbForm=Fin\t0\troot\t0:root\t_\n"
                            "3\tto\tto\tPART\tTO\t_\t4\tmark\t4:mark\t_\n"
                            "4\tleave\tleave\tVERB\tVB\tVerbForm=Inf\t2\txcomp\t2:xcomp\t_\n"));
  std::ostringstream out;
  write_dep_format(out, tree);
  EXPECT_EQ(out.str(),
            "(\n"
            "E1\t(()\tfin C\t*\t)\n"
            "1\t(Ann\t~ N\t2\ts\t(gov want))\n"
            "2\t(wants\twant V\tE1\ti\t(gov fin))\n"
            "3\t(to\t~ VB\t4\taux\t(gov leave))\n"
            "4\t(leave\t~ V\t2\tcomp\t(gov want))\n"
            "E2\t(()\tAnn N\t4\tsubj\t(gov leave)\t(antecedent 1))\n"
            "E3\t(()\tAnn N\t2\tsubj\t(gov want)\t(antecedent 1))\n"
            ")\n");
  UdToSchemeOptions bare;
  bare.empty_nodes = false;
  EXPECT_EQ(ud_to_scheme(parse_ud("1\tGo\tgo\tVERB\tVB\tMood=Imp|VerbForm=Fin\t0\troot\t_\t_\n"), bare).nodes.size(),
            2u);  // the verb and its "fin"
}

TEST(UdToScheme, NamesAreHeadedByTheirLastWord) {
  const char* const ud =
      "1\tJennifer\tJennifer\tPROPN\tNNP\t_\t4\tnsubj\t_\t_\n"
      "2\tM.\tM.\tPROPN\tNNP\t_\t1\tflat\t_\t_\n"
      "3\tAnderson\tAnderson\tPROPN\tNNP\t_\t1\tflat\t_\t_\n"
      "4\tspoke\tspeak\tVERB\tVBD\tVerbForm=Fin\t0\troot\t_\t_\n"
      "5\tas\tas\tADP\tIN\t_\t7\tcase\t_\t_\n"
      "6\twell\twell\tADV\tRB\t_\t5\tfixed\t_\t_\n"
      "7\tme\tI\tPRON\tPRP\t_\t4\tobl\t_\t_\n";
  PlainTree tree = ud_to_scheme(parse_ud(ud));
  EXPECT_EQ(tree.nodes[2].root, "Jennifer M. Anderson");
  EXPECT_EQ(tree.nodes[2].relation, "s");
  EXPECT_EQ(tree.nodes[0].relation, "lex-mod");
  EXPECT_EQ(tree.nodes[0].head, 2);
  EXPECT_EQ(tree.nodes[4].root, "as well");
  EXPECT_EQ(tree.nodes[5].relation, "lex-mod");
  expect_round_trip(ud);
}

TEST(SchemeToUd, AFragmentaryParseGivesOneRootAndAttachesSkippedPunctuation) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "E1\t(()\t U\t*\t)\n"
      "1\t(Hello\t~ Intj\t2\tdisc\t(gov world))\n"
      "2\t(world\t~ N\tE1\t)\n"
      "E2\t(()\tfin C\tE1\t)\n"
      "4\t(Ann\t~ N\t5\ts\t(gov see))\n"
      "5\t(sees\tsee V\tE2\ti\t(gov fin))\n"
      "6\t(Bob\t~ N\t5\tobj\t(gov see))\n"
      ")\n",
      "Hello world, Ann sees Bob.");
  EXPECT_EQ(attachments(sentence), "2:discourse 5:nsubj 2:punct 5:nsubj 0:root 5:obj 5:punct ");
  EXPECT_EQ(sentence.words[2].form, ",");
  EXPECT_EQ(sentence.words[1].misc, "SpaceAfter=No|Cat=N");
  EXPECT_EQ(sentence.words[4].misc, "Rel=i|Cat=V");
  EXPECT_EQ(sentence.text(), "Hello world, Ann sees Bob.");
}

TEST(SchemeToUd, ANounPhraseAfterACommaRenamesUnlessTheListHasAConjunction) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "1\t(Yassin\t~ N\t*\t)\n"
      "2\t(,\t~ Punc\t4\tpunc\t(gov leader))\n"
      "3\t(a\t~ Det\t4\tdet\t(gov leader))\n"
      "4\t(leader\t~ N\t1\tconj\t(gov yassin))\n"
      ")\n",
      "Yassin , a leader");
  EXPECT_EQ(attachments(sentence), "0:root 4:punct 4:det 1:appos ");
  sentence = from_velmo(
      "> (\n"
      "1\t(Ann\t~ N\t*\t)\n"
      "2\t(,\t~ Punc\t4\tpunc\t(gov dog))\n"
      "3\t(a\t~ Det\t4\tdet\t(gov dog))\n"
      "4\t(dog\t~ N\t1\tconj\t(gov ann))\n"
      "5\t(and\t~ Conn\t6\tcc\t(gov bob))\n"
      "6\t(Bob\t~ N\t1\tconj\t(gov ann))\n"
      ")\n",
      "Ann , a dog and Bob");
  EXPECT_EQ(attachments(sentence), "0:root 4:punct 4:det 1:conj 6:cc 1:conj ");
}

TEST(SchemeToUd, AnAppositionBeforeALaterConjunctIsAnItemOfTheList) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "1\t(Fri\t~ N\t*\t)\n"
      "2\t(,\t~ Punc\t3\tpunc\t(gov sat))\n"
      "3\t(Sat\t~ N\t1\tappo\t(gov fri))\n"
      "4\t(and\t~ Conn\t5\tcc\t(gov sun))\n"
      "5\t(Sun\t~ N\t1\tconj\t(gov fri))\n"
      ")\n",
      "Fri , Sat and Sun");
  EXPECT_EQ(attachments(sentence), "0:root 3:punct 1:conj 5:cc 1:conj ");
  // Without a later conjunct it stays an apposition.
  UdSentence single = from_velmo(
      "> (\n"
      "1\t(Ann\t~ N\t*\t)\n"
      "2\t(,\t~ Punc\t4\tpunc\t(gov sister))\n"
      "3\t(my\t~ N\t4\tgen\t(gov sister))\n"
      "4\t(sister\t~ N\t1\tappo\t(gov ann))\n"
      ")\n",
      "Ann , my sister");
  EXPECT_EQ(attachments(single), "0:root 4:punct 4:nmod:poss 1:appos ");
}

TEST(SchemeToUd, TheItemsOfAListAfterAColonHangFromTheFirst) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "1\t(Guests\t~ N\t*\t)\n"
      "2\t(:\t~ Punc\t3\tpunc\t(gov ann))\n"
      "3\t(Ann\t~ N\t1\tappo\t(gov guest))\n"
      "4\t(,\t~ Punc\t5\tpunc\t(gov bob))\n"
      "5\t(Bob\t~ N\t1\tconj\t(gov guest))\n"
      "6\t(,\t~ Punc\t7\tpunc\t(gov cy))\n"
      "7\t(Cy\t~ N\t1\tconj\t(gov guest))\n"
      ")\n",
      "Guests : Ann , Bob , Cy");
  EXPECT_EQ(attachments(sentence), "0:root 3:punct 1:appos 5:punct 3:conj 7:punct 3:conj ");
}

TEST(SchemeToUd, ANounSetAgainstTheOneBeforeByNotIsItsConjunct) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "1\t(soup\t~ N\t*\t)\n"
      "2\t(,\t~ Punc\t5\tpunc\t(gov fish))\n"
      "3\t(not\t~ Adv\t5\tmod\t(gov fish))\n"
      "4\t(the\t~ Det\t5\tdet\t(gov fish))\n"
      "5\t(fish\t~ N\t1\tconj\t(gov soup))\n"
      ")\n",
      "soup , not the fish");
  EXPECT_EQ(attachments(sentence), "0:root 5:punct 5:advmod 5:det 1:conj ");
}

TEST(SchemeToUd, TheFirstOfTwoObjectsAndAPronounAfterTellAreRecipients) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(sent\tsend V\tE0\ti\t(gov fin))\n"
      "2\t(Ann\t~ N\t1\tobj\t(gov send))\n"
      "3\t(files\tfile N\t1\tobj\t(gov send))\n"
      ")\n",
      "sent Ann files");
  EXPECT_EQ(attachments(sentence), "0:root 1:iobj 1:obj ");
  sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(tell\ttell V\tE0\ti\t(gov fin))\n"
      "2\t(me\t~ N\t1\tobj\t(gov tell))\n"
      ")\n",
      "tell me");
  EXPECT_EQ(attachments(sentence), "0:root 1:iobj ");
  sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(saw\tsee V\tE0\ti\t(gov fin))\n"
      "2\t(me\t~ N\t1\tobj\t(gov see))\n"
      ")\n",
      "saw me");
  EXPECT_EQ(attachments(sentence), "0:root 1:obj ");
  auto first_of_two = [](const std::string& verb, const std::string& root, const std::string& first) {
    return attachments(from_velmo("> (\n"
                                  "E0\t(()\tfin C\t*\t)\n"
                                  "1\t(" + verb + "\t" + root + " V\tE0\ti\t(gov fin))\n"
                                  "2\t(" + first + "\t~ N\t1\tobj\t(gov " + root + "))\n"
                                  "3\t(priority\t~ N\t1\tobj\t(gov " + root + "))\n"
                                  ")\n",
                                  verb + " " + first + " priority"));
  };
  EXPECT_EQ(first_of_two("made", "make", "this"), "0:root 1:obj 1:obj ");
  EXPECT_EQ(first_of_two("made", "make", "him"), "0:root 1:iobj 1:obj ");
  EXPECT_EQ(first_of_two("made", "make", "yourself"), "0:root 1:iobj 1:obj ");
  EXPECT_EQ(first_of_two("gave", "give", "Ann"), "0:root 1:iobj 1:obj ");
  EXPECT_EQ(first_of_two("made", "make", "that"), "0:root 1:mark 1:obj ");
}

// "It seems" before a clause has an expletive "it"; without one (it seems
// good, it seems like a stretch) "it" is the subject.
TEST(SchemeToUd, ItBeforeSeemIsAnExpletive) {
  const char* const parse =
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov seem))\n"
      "2\t(seems\tseem V\tE0\ti\t(gov fin))\n"
      "3\t(that\t~ C\t2\tcomp\t(gov seem))\n"
      "4\t(he\t~ N\t5\ts\t(gov leave))\n"
      "5\t(left\tleave V\t3\ti\t(gov that))\n"
      ")\n";
  EXPECT_EQ(attachments(from_velmo(parse, "It seems that he left")), "2:expl 0:root 5:mark 5:nsubj 2:ccomp ");
  UdSentence sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov seem))\n"
      "2\t(seems\tseem V\tE0\ti\t(gov fin))\n"
      "3\t(good\t~ A\t2\tpred\t(gov seem))\n"
      ")\n",
      "It seems good");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 2:xcomp ");
  sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov seem))\n"
      "2\t(seems\tseem V\tE0\ti\t(gov fin))\n"
      "3\t(like\t~ Prep\t2\tmod\t(gov seem))\n"
      "4\t(a\t~ Det\t5\tdet\t(gov stretch))\n"
      "5\t(stretch\t~ N\t3\tpcomp\t(gov like))\n"
      ")\n",
      "It seems like a stretch");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 5:case 5:det 2:obl ");
}

// "a week" after "twice" or after a noun tells how often or how much per
// week: it hangs from that word, not from the verb.
TEST(SchemeToUd, ARateOfTimeHangsFromTheWordItCounts) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov meet))\n"
      "2\t(meet\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(twice\t~ Adv\t2\tmod\t(gov meet))\n"
      "4\t(a\t~ Det\t5\tdet\t(gov week))\n"
      "5\t(week\t~ N\t2\tmod\t(gov meet))\n"
      ")\n",
      "We meet twice a week");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 2:advmod 5:det 3:obl:unmarked ");
  sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Take\ttake V\tE0\ti\t(gov fin))\n"
      "2\t(three\t~ Num\t3\tnum\t(gov time))\n"
      "3\t(times\ttime N\t1\tmod\t(gov take))\n"
      "4\t(a\t~ Det\t5\tdet\t(gov day))\n"
      "5\t(day\t~ N\t1\tobj\t(gov take))\n"
      ")\n",
      "Take three times a day");
  EXPECT_EQ(attachments(sentence), "0:root 3:nummod 1:obl:unmarked 5:det 3:nmod:unmarked ");
  sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov move))\n"
      "2\t(moved\tmove V\tE0\ti\t(gov fin))\n"
      "3\t(home\t~ N\t2\tobj\t(gov move))\n"
      "4\t(a\t~ Det\t5\tdet\t(gov year))\n"
      "5\t(year\t~ N\t6\tmod\t(gov ago))\n"
      "6\t(ago\t~ Adv\t2\tmod\t(gov move))\n"
      ")\n",
      "We moved home a year ago");
  EXPECT_EQ(attachments(sentence).substr(0, 22), "2:nsubj 0:root 2:obj 5");
  EXPECT_EQ(sentence.words[4].head, 6);
}

// "All" or "both" before the verb of a clause without a subject is its
// subject; with a subject of its own it stays an adverb.
TEST(SchemeToUd, AllOrBothBeforeASubjectlessVerbIsItsSubject) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Both\t~ Conn\t2\tcc\t(gov leave))\n"
      "2\t(left\tleave V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Both left");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root ");
  sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t3\ts\t(gov leave))\n"
      "2\t(all\t~ Adv\t3\tmod\t(gov leave))\n"
      "3\t(left\tleave V\tE0\ti\t(gov fin))\n"
      ")\n",
      "We all left");
  EXPECT_EQ(attachments(sentence), "3:nsubj 3:advmod 0:root ");
}

// A measure before the adjective it measures hangs from the adjective,
// which takes the measure's place in the clause.
TEST(SchemeToUd, AMeasureHangsFromTheAdjectiveItMeasures) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov be))\n"
      "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(two\t~ Num\t4\tnum\t(gov foot))\n"
      "4\t(feet\tfoot N\t2\tpred\t(gov be))\n"
      "5\t(long\t~ Adv\t4\tmod\t(gov foot))\n"
      ")\n",
      "It is two feet long");
  EXPECT_EQ(attachments(sentence), "5:nsubj 5:cop 4:nummod 5:obl:unmarked 0:root ");
}

TEST(SchemeToUd, AnAddressLeftOverAfterANameIsAListItem) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "E1\t(()\t U\t*\t)\n"
      "1\t(Lee\t~ N\tE1\t)\n"
      "2\t(lee@x.com\t~ N\tE1\t)\n"
      ")\n",
      "Lee lee@x.com");
  EXPECT_EQ(attachments(sentence), "0:root 1:list ");
  UdSentence apposed = from_velmo(
      "(\n"
      "1\t(Lee\t~ N\t*\t)\n"
      "2\t(<lee@x.com>\t~ N\t1\tappo\t(gov Lee))\n"
      ")\n",
      "Lee <lee@x.com>");
  EXPECT_EQ(attachments(apposed), "0:root 3:punct 1:list 3:punct ");
  // A mail system's name (host without a dot) is the name written apart.
  UdSentence mail_name = from_velmo(
      "> (\n"
      "E1\t(()\t U\t*\t)\n"
      "1\t(Ken\t~ N\tE1\t)\n"
      "2\t(Rice@ENRON\t~ N\tE1\t)\n"
      ")\n",
      "Ken Rice@ENRON");
  EXPECT_EQ(attachments(mail_name), "0:root 1:goeswith ");
  // The date of a mail header is an oblique of the address.
  UdSentence header = from_velmo(
      "(\n"
      "1\t(ann@x.com\t~ N\t*\t)\n"
      "2\t(on\t~ Prep\t1\tmod\t(gov ann@x.com))\n"
      "3\t(05/03/2001\t~ Num\t2\tpcomp\t(gov on))\n"
      ")\n",
      "ann@x.com on 05/03/2001");
  EXPECT_EQ(attachments(header), "0:root 3:case 1:obl ");
  // After a field label and its colon the address renames the label.
  UdSentence field = from_velmo(
      "(\n"
      "1\t(E-mail\t~ N\t*\t)\n"
      "2\t(:\t~ Punc\t3\tpunc\t(gov ann@x.com))\n"
      "3\t(ann@x.com\t~ N\t1\tappo\t(gov e-mail))\n"
      ")\n",
      "E-mail: ann@x.com");
  EXPECT_EQ(attachments(field), "0:root 3:punct 1:appos ");
}

TEST(SchemeToUd, TheDayHeadsItsMonthAndYear) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(wrote\twrite V\tE0\ti\t(gov fin))\n"
      "2\t(on\t~ Prep\t1\tmod\t(gov write))\n"
      "3\t(September\t~ N\t2\tpcomp\t(gov on))\n"
      "4\t(2\t~ Num\t3\tnum\t(gov september))\n"
      "6\t(2005\t~ Num\t3\tnum\t(gov september))\n"
      ")\n",
      "wrote on September 2, 2005");
  EXPECT_EQ(attachments(sentence), "0:root 4:case 4:nmod:unmarked 1:obl 4:punct 4:nmod:unmarked ");
  // The day below a clause that hangs from the month: the day takes the
  // month's place and the clause stays with the month, so no cycle arises.
  sentence = from_velmo(
      "> (\n"
      "1\t(April\t~ N\t*\t)\n"
      "2\t(3\t~ Num\t3\tnum\t(gov left))\n"
      "3\t(left\tleave V\t1\tmod\t(gov april))\n"
      ")\n",
      "April 3 left");
  EXPECT_EQ(attachments(sentence), "2:nmod:unmarked 0:root 1:acl ");
}

TEST(SchemeToUd, AfterAnExpletiveThePredicateNounIsTheSubjectOfTheCopula) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(there\t~ N\t2\texpl\t(gov be))\n"
      "2\t(was\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(a\t~ Det\t4\tdet\t(gov demonstration))\n"
      "4\t(demonstration\t~ N\t2\tpred\t(gov be))\n"
      ")\n",
      "there was a demonstration");
  EXPECT_EQ(attachments(sentence), "2:expl 0:root 4:det 2:nsubj ");
  // The expletive is a pronoun and the "be" it hangs from the verb.
  EXPECT_EQ(sentence.words[0].upos, "PRON");
  EXPECT_EQ(sentence.words[1].upos, "VERB");
}

TEST(SchemeToUd, AClockTimeHeadsItsHalfOfDayAndIsAListItemOfTheDateBeforeIt) {
  // As parsed: both numbers modify PM, the root.
  UdSentence sentence = from_velmo(
      "> (\n"
      "1\t(02/13/2001\t~ Num\t3\tnum\t(gov pm))\n"
      "2\t(08:02\t~ Num\t3\tnum\t(gov pm))\n"
      "3\t(PM\t~ N\t*\t)\n"
      ")\n",
      "02/13/2001 08:02 PM");
  EXPECT_EQ(attachments(sentence), "0:root 1:list 2:nmod:unmarked ");
  // Alone in a clause the time takes the place PM had; a plain hour counts.
  sentence = from_velmo(
      "> (\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Call\tcall V\tE1\ti\t(gov fin))\n"
      "2\t(at\t~ Prep\t1\tmod\t(gov call))\n"
      "3\t(5\t~ Num\t4\tnum\t(gov pm))\n"
      "4\t(pm\t~ N\t2\tpcomp\t(gov at))\n"
      ")\n",
      "Call at 5 pm");
  EXPECT_EQ(attachments(sentence), "0:root 3:case 1:obl 3:nmod:unmarked ");
  // Times of a day that is no date stay as parsed.
  sentence = from_velmo(
      "> (\n"
      "1\t(2001\t~ Num\t2\tnum\t(gov 08:02))\n"
      "2\t(08:02\t~ Num\t*\t)\n"
      ")\n",
      "2001 08:02");
  EXPECT_EQ(attachments(sentence), "2:nummod 0:root ");
}

TEST(SchemeToUd, AClauseFragmentHeadsTheSentenceBeforeALargerPieceWithoutVerb) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "E1\t(()\t U\t*\t)\n"
      "1\t(In\t~ Prep\tE1\t)\n"
      "2\t(the\t~ Det\t4\tdet\t(gov wake))\n"
      "3\t(long\t~ A\t4\tmod\t(gov wake))\n"
      "4\t(wake\t~ N\t1\tpcomp\t(gov in))\n"
      "E2\t(()\tfin C\tE1\t)\n"
      "6\t(Ann\t~ N\t7\ts\t(gov leave))\n"
      "7\t(left\tleave V\tE2\ti\t(gov fin))\n"
      ")\n",
      "In the long wake, Ann left.");
  EXPECT_EQ(attachments(sentence), "4:case 4:det 4:amod 7:obl 4:punct 7:nsubj 0:root 7:punct ");
}

// Of two clause fragments the first heads, even when the second is larger.
TEST(SchemeToUd, TheFirstOfTwoClauseFragmentsHeadsTheSentence) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\t U\t*\t)\n"
      "E2\t(()\tfin C\tE1\t)\n"
      "1\t(Rest\trest V\tE2\ti\t(gov fin))\n"
      "E3\t(()\tfin C\tE1\t)\n"
      "3\t(lift\t~ V\tE3\ti\t(gov fin))\n"
      "4\t(your\t~ N\t5\tgen\t(gov arm))\n"
      "5\t(arms\tarm N\t3\tobj\t(gov lift))\n"
      "6\t(slowly\t~ Adv\t3\tmod\t(gov lift))\n"
      ")\n",
      "Rest ... lift your arms slowly .");
  EXPECT_EQ(attachments(sentence), "0:root 3:punct 1:conj 5:nmod:poss 3:obj 3:advmod 1:punct ");
}

// Pieces the parse could not join: a clause opened by its own conjunction
// after one adjective or verb piece, or a noun piece and a comma, is that
// piece's conjunct; right after a noun piece (the subject the parse missed)
// the clause still heads.
TEST(SchemeToUd, AConjoinedClauseFragmentIsTheConjunctOfThePieceBeforeIt) {
  const std::string clause =
      "E0\t(()\tfin C\tE2\t)\n"
      "3\t(and\t~ Conn\t5\tcc\t(gov return))\n"
      "4\t(I\t~ N\t5\ts\t(gov return))\n"
      "5\t(returned\treturn V\tE0\ti\t(gov fin))\n"
      ")\n";
  UdSentence sentence = from_velmo(
      "(\n"
      "E2\t(()\t U\t*\t)\n"
      "1\t(Very\t~ Adv\t2\tmod\t(gov rude))\n"
      "2\t(rude\t~ A\tE2\t)\n" +
          clause,
      "Very rude and I returned .");
  EXPECT_EQ(attachments(sentence), "2:advmod 0:root 5:cc 5:nsubj 2:conj 2:punct ");
  sentence = from_velmo(
      "(\n"
      "E2\t(()\t U\t*\t)\n"
      "1\t(The\t~ Det\t2\tdet\t(gov staff))\n"
      "2\t(staff\t~ N\tE2\t)\n" +
          clause,
      "The staff and I returned .");
  EXPECT_EQ(attachments(sentence), "2:det 5:nsubj 5:cc 5:nsubj 0:root 5:punct ");
  // A noun piece set off by a comma heads.
  sentence = from_velmo(
      "(\n"
      "E2\t(()\t U\t*\t)\n"
      "1\t(Nice\t~ A\t2\tmod\t(gov staff))\n"
      "2\t(staff\t~ N\tE2\t)\n"
      "E0\t(()\tfin C\tE2\t)\n"
      "4\t(and\t~ Conn\t6\tcc\t(gov return))\n"
      "5\t(I\t~ N\t6\ts\t(gov return))\n"
      "6\t(returned\treturn V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Nice staff , and I returned .");
  EXPECT_EQ(attachments(sentence), "2:amod 0:root 6:punct 6:cc 6:nsubj 2:conj 2:punct ");
}

TEST(SchemeToUd, AStrandedDeterminerOrConjunctionJoinsWhatFollowsIt) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E2\t(()\t U\t*\t)\n"
      "E0\t(()\tfin C\tE2\t)\n"
      "1\t(Ann\t~ N\t2\ts\t(gov go))\n"
      "2\t(went\tgo V\tE0\ti\t(gov fin))\n"
      "3\t(and\t~ Conn\tE2\t)\n"
      "4\t(the\t~ Det\tE2\t)\n"
      "5\t(named\tname V\tE2\t)\n"
      "6\t(man\t~ N\t5\tobj\t(gov name))\n"
      ")\n",
      "Ann went and the named man");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 5:cc 6:det 2:conj 5:obj ");
}

// A noun phrase set off by a comma before a clause with its own subject,
// pieces the parse could not join, heads the clause as its parataxis; a
// phrase of time or manner, a bare word or a clause of thinking does not.
TEST(SchemeToUd, ANounPieceBeforeAClauseWithItsOwnSubjectHeadsIt) {
  const std::string clause =
      "E0\t(()\tfin C\tE2\t)\n"
      "4\t(,\t~ Punc\t6\tpunc\t(gov love))\n"
      "5\t(I\t~ N\t6\ts\t(gov love))\n"
      "6\t(love\t~ V\tE0\ti\t(gov fin))\n"
      "7\t(it\t~ N\t6\tobj\t(gov love))\n"
      ")\n";
  UdSentence sentence = from_velmo(
      "(\n"
      "E2\t(()\t U\t*\t)\n"
      "1\t(What\t~ N\t3\tdet\t(gov store))\n"
      "2\t(a\t~ Det\t3\tdet\t(gov store))\n"
      "3\t(store\t~ N\tE2\t)\n" +
          clause,
      "What a store , I love it .");
  EXPECT_EQ(attachments(sentence), "3:det 3:det 0:root 6:punct 6:nsubj 3:parataxis 6:obj 3:punct ");
  sentence = from_velmo(
      "(\n"
      "E2\t(()\t U\t*\t)\n"
      "1\t(That\t~ Det\t3\tdet\t(gov way))\n"
      "2\t(same\t~ A\t3\tmod\t(gov way))\n"
      "3\t(way\t~ N\tE2\t)\n" +
          clause,
      "That same way , I love it .");
  EXPECT_EQ(sentence.words[5].deprel, "root");
  sentence = from_velmo(
      "(\n"
      "E2\t(()\t U\t*\t)\n"
      "1\t(friends\tfriend N\tE2\t)\n"
      "E0\t(()\tfin C\tE2\t)\n"
      "2\t(,\t~ Punc\t4\tpunc\t(gov love))\n"
      "3\t(I\t~ N\t4\ts\t(gov love))\n"
      "4\t(love\t~ V\tE0\ti\t(gov fin))\n"
      ")\n",
      "friends , I love .");
  EXPECT_EQ(sentence.words[3].deprel, "root");
  sentence = from_velmo(
      "(\n"
      "E2\t(()\t U\t*\t)\n"
      "1\t(Fresh\t~ A\t2\tmod\t(gov one))\n"
      "2\t(ones\tone N\tE2\t)\n"
      "E0\t(()\tfin C\tE2\t)\n"
      "3\t(,\t~ Punc\t5\tpunc\t(gov hope))\n"
      "4\t(I\t~ N\t5\ts\t(gov hope))\n"
      "5\t(hope\t~ V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Fresh ones , I hope .");
  EXPECT_EQ(sentence.words[4].deprel, "root");
}

// A clause with its own subject after a common noun heading the sentence
// before a colon is the noun's apposition; after a name (a speaker) or
// without a subject it is parataxis.
TEST(SchemeToUd, AClauseAfterAHeadingNounAndAColonIsItsApposition) {
  auto relation_after = [](const std::string& noun, const std::string& root, bool subject) {
    std::string tree = "(\n1\t(" + noun + "\t" + root + " N\t*\t)\n"
                       "E0\t(()\tfin C\t1\tpara\t(gov " + root + "))\n"
                       "2\t(:\t~ Punc\t4\tpunc\t(gov leave))\n";
    tree += subject ? "3\t(Ann\t~ N\t4\ts\t(gov leave))\n" : "3\t(Please\t~ Adv\t4\tmod\t(gov leave))\n";
    tree += "4\t(left\tleave V\tE0\ti\t(gov fin))\n)\n";
    UdSentence sentence = from_velmo(tree, noun + " : " + (subject ? "Ann" : "Please") + " left");
    return sentence.words[3].deprel;
  };
  EXPECT_EQ(relation_after("NOTICE", "notice", true), "appos");
  EXPECT_EQ(relation_after("GOODWYN", "Goodwyn", true), "parataxis");
  EXPECT_EQ(relation_after("NOTICE", "notice", false), "parataxis");
}

// A participle opening the sentence, which the parse made the main clause
// with the clause after its comma as parataxis, is that clause's advcl
// when the clause has a subject; an imperative there stays the root.
TEST(SchemeToUd, AnOpeningParticipleModifiesTheClauseAfterIt) {
  auto convert = [](const std::string& verb) {
    return attachments(from_velmo(
        "(\n"
        "E1\t(()\tfin C\t*\t)\n"
        "1\t(" + verb + "\t~ V\tE1\ti\t(gov fin))\n"
        "2\t(early\t~ Adv\t1\tmod\t(gov x))\n"
        "E0\t(()\tfin C\t1\tpara\t(gov x))\n"
        "3\t(,\t~ Punc\t5\tpunc\t(gov breed))\n"
        "4\t(they\t~ N\t5\ts\t(gov breed))\n"
        "5\t(breed\t~ V\tE0\ti\t(gov fin))\n"
        ")\n",
        verb + " early , they breed ."));
  };
  EXPECT_EQ(convert("Separated"), "5:advcl 1:advmod 1:punct 5:nsubj 0:root 5:punct ");
  EXPECT_EQ(convert("Leaving"), "5:advcl 1:advmod 1:punct 5:nsubj 0:root 5:punct ");
  EXPECT_EQ(convert("Leave"), "0:root 1:advmod 5:punct 5:nsubj 1:parataxis 1:punct ");
}

// "Attached for your review are copies": the opening participle with its
// phrase is the root and the copula after it its passive auxiliary, whether
// the parse made the noun after the copula its predicate or its subject;
// an opening -ing form stays the copula's advcl.
TEST(SchemeToUd, AnOpeningParticipleBeforeAnInvertedCopulaIsTheRoot) {
  auto convert = [](const std::string& participle, const std::string& relation) {
    return attachments(from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(" + participle + "\tattach V\t5\tmod\t(gov be))\n"
        "2\t(for\t~ Prep\t1\tmod\t(gov attach))\n"
        "3\t(your\t~ N\t4\tgen\t(gov review))\n"
        "4\t(review\t~ N\t2\tpcomp\t(gov for))\n"
        "5\t(are\tbe VBE\tE0\ti\t(gov fin))\n"
        "6\t(copies\tcopy N\t5\t" + relation + "\t(gov be))\n"
        ")\n",
        participle + " for your review are copies ."));
  };
  EXPECT_EQ(convert("Attached", "pred"), "0:root 4:case 4:nmod:poss 1:obl 1:aux:pass 1:nsubj:pass 1:punct ");
  EXPECT_EQ(convert("Attached", "s"), "0:root 4:case 4:nmod:poss 1:obl 1:aux:pass 1:nsubj:pass 1:punct ");
  EXPECT_EQ(convert("Attaching", "pred"), "6:advcl 4:case 4:nmod:poss 1:obl 6:cop 0:root 6:punct ");
}

// A sentence opened by "whatever" and its clause, which the parse made the
// root with the clause after the comma as parataxis: that later clause is
// the main one, and "whatever" hangs from it; "what" there stays the root.
TEST(SchemeToUd, AnOpeningWhateverClauseGivesTheRootToTheClauseAfterIt) {
  auto convert = [](const std::string& word) {
    return attachments(from_velmo(
        "(\n"
        "1\t(" + word + "\t~ N\t*\t)\n"
        "E1\t(()\tfin C\t1\trel\t(gov x))\n"
        "2\t(you\t~ N\t3\ts\t(gov order))\n"
        "3\t(order\t~ V\tE1\ti\t(gov fin))\n"
        "E0\t(()\tfin C\t3\tpara\t(gov order))\n"
        "4\t(,\t~ Punc\t7\tpunc\t(gov love))\n"
        "5\t(you\t~ N\t7\ts\t(gov love))\n"
        "6\t(will\t~ VB\t7\taux\t(gov love))\n"
        "7\t(love\t~ V\tE0\ti\t(gov fin))\n"
        "8\t(it\t~ N\t7\tobj\t(gov love))\n"
        ")\n",
        word + " you order , you will love it"));
  };
  EXPECT_EQ(convert("Whatever"), "7:advcl 3:nsubj 1:acl:relcl 1:punct 7:nsubj 7:aux 0:root 7:obj ");
  EXPECT_EQ(convert("What"), "0:root 3:nsubj 1:acl:relcl 7:punct 7:nsubj 7:aux 1:parataxis 7:obj ");
}

// "Thing is, it worked": the clause after a noun, a bare copula and a
// comma is the root, with the copula and the noun as its cop and nsubj;
// not a clause set off by commas inside the sentence (The car is, I
// think, red), nor one after a colon.
TEST(SchemeToUd, ACopulaBeforeACommaAndAClauseIsTheClausesCopula) {
  auto convert = [](const std::string& be_word, const std::string& mark, const std::string& tail) {
    return attachments(from_velmo(
        "(\n"
        "E1\t(()\tfin C\t*\t)\n"
        "1\t(Thing\t~ N\t2\ts\t(gov be))\n"
        "2\t(" + be_word + "\tbe VBE\tE1\ti\t(gov fin))\n"
        "E0\t(()\tfin C\t2\tpara\t(gov be))\n"
        "3\t(" + mark + "\t~ Punc\t5\tpunc\t(gov work))\n"
        "4\t(it\t~ N\t5\ts\t(gov work))\n"
        "5\t(worked\twork V\tE0\ti\t(gov fin))\n" + tail + ")\n",
        "Thing " + be_word + " " + mark + " it worked" + (tail.empty() ? "" : " , sadly") + " ."));
  };
  EXPECT_EQ(convert("is", ",", ""), "5:nsubj 5:cop 5:punct 5:nsubj 0:root 5:punct ");
  EXPECT_EQ(convert("was", "--", ""), "5:nsubj 5:cop 5:punct 5:nsubj 0:root 5:punct ");
  EXPECT_EQ(convert("is", ":", ""), "2:nsubj 0:root 5:punct 5:nsubj 2:parataxis 2:punct ");
  EXPECT_EQ(convert("is", ",", "6\t(,\t~ Punc\t7\tpunc\t(gov sadly))\n7\t(sadly\t~ Adv\t5\tmod\t(gov work))\n"),
            "2:nsubj 0:root 5:punct 5:nsubj 2:parataxis 7:punct 5:advmod 2:punct ");
}

// A chronicle's entry, a year before a clause, is headed by the year and
// the clause is its parataxis; a year before a name without a verb (an
// address line) or as the subject of its clause stays with its noun.
TEST(SchemeToUd, AYearOpeningAClauseHeadsTheEntry) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(1561\t~ Num\t2\tnum\t(gov \"Ruy Lopez\"))\n"
      "2\t(\"Ruy Lopez\"\t~ N\t4\ts\t(gov write))\n"
      "3\t(Lopez\t U\t2\tlex-mod\t(gov \"Ruy Lopez\"))\n"
      "4\t(writes\twrite V\tE0\ti\t(gov fin))\n"
      "5\t(his\t~ N\t6\tgen\t(gov book))\n"
      "6\t(book\t~ N\t4\tobj\t(gov write))\n"
      ")\n",
      "1561 Ruy Lopez writes his book .");
  EXPECT_EQ(attachments(sentence), "0:root 4:nsubj 2:flat 1:parataxis 6:nmod:poss 4:obj 1:punct ");
  sentence = from_velmo(
      "(\n"
      "1\t(1381\t~ Num\t3\tnum\t(gov Hubbard))\n"
      "2\t(W.\t~ N\t3\tnn\t(gov Hubbard))\n"
      "3\t(Hubbard\t~ N\t*\t)\n"
      ")\n",
      "1381 W. Hubbard");
  EXPECT_EQ(attachments(sentence), "2:nummod 0:root 2:flat ");
  // A name line with a participle the parse left to the name is an entry too.
  sentence = from_velmo(
      "(\n"
      "1\t(1570\t~ Num\t2\tnum\t(gov Mantia))\n"
      "2\t(Mantia\t~ N\t*\t)\n"
      "3\t(born\tbear V\t2\tmod\t(gov Mantia))\n"
      "4\t(in\t~ Prep\t3\tmod\t(gov bear))\n"
      "5\t(Italy\t~ N\t4\tpcomp\t(gov in))\n"
      ")\n",
      "1570 Mantia born in Italy .");
  EXPECT_EQ(attachments(sentence), "0:root 1:parataxis 2:acl 5:case 3:obl 1:punct ");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(1999\t~ Num\t2\ts\t(gov be))\n"
      "2\t(Was\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(quiet\t~ A\t2\tpred\t(gov be))\n"
      ")\n",
      "1999 Was quiet .");
  EXPECT_EQ(attachments(sentence), "3:nsubj 3:cop 0:root 3:punct ");
}

// A greeting or thanks opening the sentence before a name, read as the
// first noun of a compound, heads and the name is its vocative; a noun
// piece after a greeting piece is whom it greets.
TEST(SchemeToUd, AGreetingBeforeANameHeadsItsVocative) {
  UdSentence sentence = from_velmo(
      "(\n"
      "1\t(Good\t~ A\t3\tmod\t(gov John))\n"
      "2\t(morning\t~ N\t3\tnn\t(gov John))\n"
      "3\t(John\t~ N\t*\t)\n"
      ")\n",
      "Good morning John ,");
  EXPECT_EQ(attachments(sentence), "2:amod 0:root 2:vocative 2:punct ");
  sentence = from_velmo(
      "(\n"
      "1\t(Thanks\tthank N\t2\tnn\t(gov Bud))\n"
      "2\t(Bud\t~ N\t*\t)\n"
      "3\t(for\t~ Prep\t2\tmod\t(gov Bud))\n"
      "4\t(it\t~ N\t3\tpcomp\t(gov for))\n"
      ")\n",
      "Thanks Bud for it .");
  EXPECT_EQ(attachments(sentence), "0:root 1:vocative 4:case 1:nmod 1:punct ");
  // Not a time noun without "Good" (an afternoon session).
  sentence = from_velmo(
      "(\n"
      "1\t(afternoon\t~ N\t2\tnn\t(gov session))\n"
      "2\t(session\t~ N\t*\t)\n"
      ")\n",
      "afternoon session");
  EXPECT_EQ(attachments(sentence), "2:compound 0:root ");
  sentence = from_velmo(
      "(\n"
      "E1\t(()\t U\t*\t)\n"
      "1\t(Hi\t~ Intj\tE1\t)\n"
      "2\t(all\t~ N\tE1\t)\n"
      ")\n",
      "Hi all !");
  EXPECT_EQ(attachments(sentence), "0:root 1:vocative 1:punct ");
}

// "Thanks" opening a sentence heads it: "much" after it is its adverb, a
// noun with its preposition its nominal modifier, a capitalised word right
// after it its vocative; a noun with "a" after it is its modifier.
TEST(SchemeToUd, ThanksOpeningASentenceHeadsIt) {
  UdSentence sentence = from_velmo(
      "(\n"
      "1\t(Thanks\tthank N\t3\ts\t(gov much))\n"
      "2\t(so\t~ Adv\t3\tmod\t(gov much))\n"
      "3\t(much\t~ A\t*\t)\n"
      "4\t(for\t~ Prep\t3\tmod\t(gov much))\n"
      "5\t(the\t~ Det\t6\tdet\t(gov card))\n"
      "6\t(card\t~ N\t4\tpcomp\t(gov for))\n"
      ")\n",
      "Thanks so much for the card .");
  EXPECT_EQ(attachments(sentence), "0:root 3:advmod 1:advmod 6:case 6:det 1:nmod 1:punct ");
  sentence = from_velmo(
      "(\n"
      "E1\t(()\t U\t*\t)\n"
      "1\t(Thanks\tthank N\tE1\t)\n"
      "2\t(again\t~ Adv\tE1\t)\n"
      "3\t(for\t~ Prep\tE1\t)\n"
      "4\t(the\t~ Det\t5\tdet\t(gov ride))\n"
      "5\t(ride\t~ N\t3\tpcomp\t(gov for))\n"
      ")\n",
      "Thanks again for the ride !");
  EXPECT_EQ(attachments(sentence), "0:root 1:advmod 5:case 5:det 1:nmod 1:punct ");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Thanks\tthank N\t2\ts\t(gov mo))\n"
      "2\t(Mo\t~ V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Thanks Mo !");
  EXPECT_EQ(attachments(sentence), "0:root 1:vocative 1:punct ");
  sentence = from_velmo(
      "(\n"
      "1\t(Thanks\tthank N\t*\t)\n"
      "2\t(a\t~ Det\t3\tdet\t(gov ton))\n"
      "3\t(ton\t~ N\t1\tappo\t(gov thank))\n"
      ")\n",
      "Thanks a ton .");
  EXPECT_EQ(attachments(sentence), "0:root 3:det 1:nmod 1:punct ");
  // Not "thanks to", which is a preposition.
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Thanks\tthank N\t4\ts\t(gov win))\n"
      "2\t(to\t~ Prep\t1\tmod\t(gov thank))\n"
      "3\t(her\t~ N\t2\tpcomp\t(gov to))\n"
      "4\t(won\twin V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Thanks to her won .");
  EXPECT_EQ(attachments(sentence), "4:nsubj 3:case 1:nmod 0:root 4:punct ");
}

// "to be honest" after the clause it qualifies is an adverbial clause; a
// bracketed "... time" after a time of day modifies that time.
TEST(SchemeToUd, ToBeHonestAndABracketedTimeOfAPlace) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov fail))\n"
      "2\t(failed\tfail V\tE0\ti\t(gov fin))\n"
      "3\t(,\t~ Punc\t5\tpunc\t(gov be))\n"
      "4\t(to\t~ VB\t5\taux\t(gov be))\n"
      "5\t(be\t~ VBE\t2\tcomp\t(gov fail))\n"
      "6\t(honest\t~ A\t5\tpred\t(gov be))\n"
      ")\n",
      "It failed , to be honest .");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 6:punct 6:mark 6:cop 2:advcl 2:punct ");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov meet))\n"
      "2\t(meet\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(at\t~ Prep\t2\tmod\t(gov meet))\n"
      "4\t(4\t~ Num\t5\tnum\t(gov pm))\n"
      "5\t(pm\t~ N\t3\tpcomp\t(gov at))\n"
      "7\t(Oslo\t~ N\t8\tnn\t(gov time))\n"
      "8\t(time\t~ N\t2\tmod\t(gov meet))\n"
      ")\n",
      "We meet at 4 pm ( Oslo time ) .");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 4:case 2:obl 4:nmod:unmarked 8:punct 8:compound 4:nmod 8:punct 2:punct ");
}

// "X is as follows", "X was as requested": the verb after "as" is the
// predicate, with the copula and the mark "as" under it (the subject of
// "follows" an outer one), whether the parse hung "as" and the verb from
// "be" or made "be" the verb's auxiliary and "as" its adverb; "as" after
// another predicate keeps its clause.
TEST(SchemeToUd, AsFollowsAfterBe) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(The\t~ Det\t2\tdet\t(gov rule))\n"
      "2\t(rules\trule N\t3\ts\t(gov be))\n"
      "3\t(are\tbe VBE\tE0\ti\t(gov fin))\n"
      "4\t(as\t~ C\t3\tmod\t(gov be))\n"
      "5\t(follows\tfollow V\t4\ti\t(gov as))\n"
      "6\t(:\t~ Punc\t4\tpunc\t(gov as))\n"
      ")\n",
      "The rules are as follows :");
  EXPECT_EQ(attachments(sentence), "2:det 5:nsubj:outer 5:cop 5:mark 0:root 5:punct ");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(The\t~ Det\t2\tdet\t(gov copy))\n"
      "2\t(copy\t~ N\t3\ts\t(gov be))\n"
      "3\t(was\tbe VBE\tE0\ti\t(gov fin))\n"
      "4\t(as\t~ C\t3\tmod\t(gov be))\n"
      "5\t(requested\trequest V\t4\ti\t(gov as))\n"
      ")\n",
      "The copy was as requested");
  EXPECT_EQ(attachments(sentence), "2:det 5:nsubj 5:cop 5:mark 0:root ");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Our\t~ N\t2\tgen\t(gov plan))\n"
      "2\t(plan\t~ N\t5\ts\t(gov follow))\n"
      "3\t(was\tbe VB\t5\taux\t(gov follow))\n"
      "4\t(as\t~ Adv\t5\tmod\t(gov follow))\n"
      "5\t(follows\tfollow V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Our plan was as follows");
  EXPECT_EQ(attachments(sentence), "2:nmod:poss 5:nsubj:outer 5:cop 5:mark 0:root ");
  EXPECT_EQ(sentence.words[3].upos, "SCONJ");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(He\t~ N\t2\ts\t(gov be))\n"
      "2\t(was\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(late\t~ A\t2\tpred\t(gov be))\n"
      "4\t(as\t~ C\t2\tmod\t(gov be))\n"
      "5\t(trains\ttrain N\t6\ts\t(gov stop))\n"
      "6\t(stopped\tstop V\t4\ti\t(gov as))\n"
      ")\n",
      "He was late as trains stopped");
  EXPECT_EQ(attachments(sentence), "3:nsubj 3:cop 0:root 6:mark 6:nsubj 3:advcl ");
}

// "as if" and "as though": both words mark the clause's verb, though the
// parse made "as" an adverb of the verb before them.
TEST(SchemeToUd, AsIfMarksTheClause) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov look))\n"
      "2\t(looks\tlook V\tE0\ti\t(gov fin))\n"
      "3\t(as\t~ Adv\t2\tmod\t(gov look))\n"
      "4\t(if\t~ C\t2\tmod\t(gov look))\n"
      "5\t(it\t~ N\t6\ts\t(gov rain))\n"
      "6\t(rains\train V\t4\ti\t(gov if))\n"
      ")\n",
      "It looks as if it rains");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 6:mark 6:mark 6:nsubj 2:advcl ");
  EXPECT_EQ(sentence.words[2].upos, "SCONJ");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(He\t~ N\t2\ts\t(gov talk))\n"
      "2\t(talked\ttalk V\tE0\ti\t(gov fin))\n"
      "3\t(as\t~ Adv\t2\tmod\t(gov talk))\n"
      "4\t(though\t~ C\t2\tmod\t(gov talk))\n"
      "5\t(he\t~ N\t6\ts\t(gov know))\n"
      "6\t(knew\tknow V\t4\ti\t(gov though))\n"
      ")\n",
      "He talked as though he knew");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 6:mark 6:mark 6:nsubj 2:advcl ");
}

// A clause with its own subject joined to an earlier one by a comma alone
// is in parataxis with it; with a conjunction, or before a later conjunct
// that has one, it stays a conjunct.
TEST(SchemeToUd, ClauseAfterACommaWithoutConjunctionIsParataxis) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov live))\n"
      "2\t(lived\tlive V\tE0\ti\t(gov fin))\n"
      "3\t(there\t~ Adv\t2\tmod\t(gov live))\n"
      "E1\t(()\tfin C\tE0\tconj\t(gov fin))\n"
      "4\t(,\t~ Punc\t6\tpunc\t(gov like))\n"
      "5\t(we\t~ N\t6\ts\t(gov like))\n"
      "6\t(liked\tlike V\tE1\ti\t(gov fin))\n"
      "7\t(it\t~ N\t6\tobj\t(gov like))\n"
      ")\n",
      "We lived there , we liked it");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 2:advmod 6:punct 6:nsubj 2:parataxis 6:obj ");
  // Followed by a conjunct with "and": a list of clauses.
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov come))\n"
      "2\t(came\tcome V\tE0\ti\t(gov fin))\n"
      "E1\t(()\tfin C\tE0\tconj\t(gov fin))\n"
      "3\t(,\t~ Punc\t5\tpunc\t(gov see))\n"
      "4\t(we\t~ N\t5\ts\t(gov see))\n"
      "5\t(saw\tsee V\tE1\ti\t(gov fin))\n"
      "E2\t(()\tfin C\tE0\tconj\t(gov fin))\n"
      "6\t(and\t~ Conn\t8\tcc\t(gov leave))\n"
      "7\t(we\t~ N\t8\ts\t(gov leave))\n"
      "8\t(left\tleave V\tE2\ti\t(gov fin))\n"
      ")\n",
      "We came , we saw and we left");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 5:punct 5:nsubj 2:conj 8:cc 8:nsubj 2:conj ");
}

// A verb phrase without a subject of its own joined to the main clause by
// a comma alone is parataxis when it is the main verb's only conjunct and
// no participle; with another conjunct after it, under a verb that is not
// the root, or as a participle in -ing or -ed, it stays a conjunct.
TEST(SchemeToUd, LoneVerbPhraseAfterACommaIsParataxis) {
  auto convert = [](const char* second, const char* second_root, const char* rest, const char* text) {
    return attachments(from_velmo(std::string("(\n"
                                              "E0\t(()\tfin C\t*\t)\n"
                                              "1\t(Call\tcall V\tE0\ti\t(gov fin))\n"
                                              "2\t(me\t~ N\t1\tobj\t(gov call))\n"
                                              "3\t(,\t~ Punc\t4\tpunc\t(gov ") +
                                      second_root + "))\n" + "4\t(" + second + "\t" + second_root +
                                      " V\t1\tconj\t(gov call))\n" + "5\t(it\t~ N\t4\tobj\t(gov " +
                                      second_root + "))\n" + rest + ")\n",
                                  text));
  };
  EXPECT_EQ(convert("send", "send", "", "Call me , send it"), "0:root 1:obj 4:punct 1:parataxis 4:obj ");
  // (a participle)
  EXPECT_EQ(convert("sending", "send", "", "Call me , sending it"), "0:root 1:obj 4:punct 1:conj 4:obj ");
  // (another conjunct after it: a list of verb phrases)
  EXPECT_EQ(convert("send", "send",
                    "6\t(and\t~ Conn\t7\tcc\t(gov wait))\n"
                    "7\t(wait\twait V\t1\tconj\t(gov call))\n",
                    "Call me , send it and wait"),
            "0:root 1:obj 4:punct 1:conj 4:obj 7:cc 1:conj ");
  // Under a verb that is not the root it stays a conjunct.
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(He\t~ N\t2\ts\t(gov say))\n"
      "2\t(said\tsay V\tE1\ti\t(gov fin))\n"
      "E0\t(()\tfin C\t2\tcomp\t(gov say))\n"
      "3\t(we\t~ N\t4\ts\t(gov come))\n"
      "4\t(came\tcome V\tE0\ti\t(gov fin))\n"
      "5\t(,\t~ Punc\t6\tpunc\t(gov see))\n"
      "6\t(saw\tsee V\t4\tconj\t(gov come))\n"
      "7\t(it\t~ N\t6\tobj\t(gov see))\n"
      ")\n",
      "He said we came , saw it");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 4:nsubj 2:ccomp 6:punct 4:conj 6:obj ");
}

// "so" right before the subject of a clause that hangs from an earlier
// word opens a clause in parataxis with it, "so" its adverb; before a
// word that is not the subject the parse's reading stands, and so does a
// clause of purpose (see SoOfAConsequenceIsAnAdverbSoOfAPurposeAMark).
TEST(SchemeToUd, SoBeforeASubjectOpensParataxis) {
  auto convert = [](const char* before_so, const char* after_so, const char* text) {
    return attachments(from_velmo(std::string("(\n"
                                              "E0\t(()\tfin C\t*\t)\n"
                                              "1\t(I\t~ N\t2\ts\t(gov be))\n"
                                              "2\t(was\tbe VBE\tE0\ti\t(gov fin))\n"
                                              "3\t(hungry\t~ A\t2\tpred\t(gov be))\n") +
                                      before_so + "\t(so\t~ C\t3\tmod\t(gov hungry))\n" + after_so +
                                      "\t(had\t~ V\t" + before_so + "\ti\t(gov so))\n" + ")\n",
                                  text));
  };
  EXPECT_EQ(convert("4", "5\t(I\t~ N\t6\ts\t(gov had))\n6", "I was hungry so I had"),
            "3:nsubj 3:cop 0:root 6:advmod 6:nsubj 3:parataxis ");
  // (not before a subject: an adverbial clause)
  EXPECT_EQ(convert("4", "5\t(then\t~ Adv\t6\tmod\t(gov had))\n6", "I was hungry so then had"),
            "3:nsubj 3:cop 0:root 6:advmod 6:advmod 3:advcl ");
}

// A part of the day, a week or a year that the parse made the object of
// the verb before it says when or how long: an oblique; after "spend" it
// stays the object.
TEST(SchemeToUd, PeriodTakenAsObjectAfterAVerbIsOblique) {
  auto sentence = [](const char* verb, const char* root) {
    return from_velmo(std::string("(\n"
                                  "E0\t(()\tfin C\t*\t)\n"
                                  "1\t(We\t~ N\t2\ts\t(gov ") +
                          root + "))\n" + "2\t(" + verb + "\t" + root +
                          " V\tE0\ti\t(gov fin))\n"
                          "3\t(the\t~ Det\t4\tdet\t(gov morning))\n"
                          "4\t(morning\t~ N\t2\tobj\t(gov " +
                          root + "))\n" + ")\n",
                      std::string("We ") + verb + " the morning");
  };
  EXPECT_EQ(attachments(sentence("left", "leave")), "2:nsubj 0:root 4:det 2:obl:unmarked ");
  EXPECT_EQ(attachments(sentence("spent", "spend")), "2:nsubj 0:root 4:det 2:obj ");
  // Another noun stays the object.
  UdSentence meal = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov leave))\n"
      "2\t(left\tleave V\tE0\ti\t(gov fin))\n"
      "3\t(the\t~ Det\t4\tdet\t(gov meal))\n"
      "4\t(meal\t~ N\t2\tobj\t(gov leave))\n"
      ")\n",
      "We left the meal");
  EXPECT_EQ(attachments(meal), "2:nsubj 0:root 4:det 2:obj ");
}

// "that" heading a clause whose verb has no subject is that verb's
// subject (a relative pronoun), whatever the parse took it for; before a
// clause with a subject it stays the complementiser.
TEST(SchemeToUd, ThatBeforeAVerbWithoutSubjectIsItsSubject) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Fish\t~ N\t4\ts\t(gov grow))\n"
      "2\t(that\t~ C\t1\trel\t(gov fish))\n"
      "3\t(swim\t~ V\t2\ti\t(gov that))\n"
      "4\t(grow\t~ V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Fish that swim grow");
  EXPECT_EQ(attachments(sentence), "4:nsubj 3:nsubj 1:acl:relcl 0:root ");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Rooms\troom N\t5\ts\t(gov cost))\n"
      "2\t(that\t~ C\t1\trel\t(gov room))\n"
      "3\t(were\tbe VB\t4\taux\t(gov clean))\n"
      "4\t(cleaned\tclean V\t2\ti\t(gov that))\n"
      "5\t(cost\t~ V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Rooms that were cleaned cost");
  EXPECT_EQ(attachments(sentence), "5:nsubj 4:nsubj:pass 4:aux:pass 1:acl:relcl 0:root ");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov know))\n"
      "2\t(know\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(that\t~ C\t2\tcomp\t(gov know))\n"
      "4\t(he\t~ N\t5\ts\t(gov leave))\n"
      "5\t(left\tleave V\t3\ti\t(gov that))\n"
      ")\n",
      "I know that he left");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 5:mark 5:nsubj 2:ccomp ");
}

// A year after a month, written out or shortened with or without a full
// stop, is the month's unmarked modifier; after another noun it names it.
// A date after its noun is its unmarked modifier too.
TEST(SchemeToUd, YearAfterAShortenedMonthIsItsModifier) {
  auto sentence = [](const std::string& noun) {
    return from_velmo("(\n"
                      "E0\t(()\tfin C\t*\t)\n"
                      "1\t(We\t~ N\t2\ts\t(gov meet))\n"
                      "2\t(met\tmeet V\tE0\ti\t(gov fin))\n"
                      "3\t(in\t~ Prep\t2\tmod\t(gov meet))\n"
                      "4\t(" + noun + "\t~ N\t3\tpcomp\t(gov " + noun + "))\n"
                      "5\t(2007\t~ Num\t4\tnum\t(gov " + noun + "))\n"
                      ")\n",
                      "We met in " + noun + " 2007");
  };
  EXPECT_EQ(attachments(sentence("Oct")), "2:nsubj 0:root 4:case 2:obl 4:nmod:unmarked ");
  EXPECT_EQ(attachments(sentence("Oct.")), "2:nsubj 0:root 4:case 2:obl 4:nmod:unmarked ");
  EXPECT_EQ(attachments(sentence("Team")), "2:nsubj 0:root 4:case 2:obl 4:flat ");
  // A date after its noun says when.
  UdSentence dated = from_velmo(
      "(\n"
      "1\t(Our\t~ N\t2\tgen\t(gov wedding))\n"
      "2\t(Wedding\t~ N\t*\t)\n"
      "3\t(11/7/08\t~ Num\t2\tnum\t(gov wedding))\n"
      ")\n",
      "Our Wedding 11/7/08");
  EXPECT_EQ(attachments(dated), "2:nmod:poss 0:root 2:nmod:unmarked ");
}

// A number right before hundred, million and the like counts them: it is
// their compound, and they count the noun.
TEST(SchemeToUd, NumberBeforeAnAmountWordIsItsCompound) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(They\t~ N\t2\ts\t(gov spend))\n"
      "2\t(spent\tspend V\tE0\ti\t(gov fin))\n"
      "3\t(45\t~ Num\t5\tnum\t(gov dollar))\n"
      "4\t(million\t~ Num\t5\tnum\t(gov dollar))\n"
      "5\t(dollars\tdollar N\t2\tobj\t(gov spend))\n"
      "6\t(on\t~ Prep\t2\tmod\t(gov spend))\n"
      "7\t(two\t~ Num\t9\tnum\t(gov house))\n"
      "8\t(hundred\t~ N\t9\tnn\t(gov house))\n"
      "9\t(houses\thouse N\t6\tpcomp\t(gov on))\n"
      ")\n",
      "They spent 45 million dollars on two hundred houses");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 4:compound 5:nummod 2:obj 9:case 8:compound 9:nummod 2:obl ");
  // Two numbers side by side stay as they are.
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(They\t~ N\t2\ts\t(gov see))\n"
      "2\t(saw\tsee V\tE0\ti\t(gov fin))\n"
      "3\t(45\t~ Num\t5\tnum\t(gov car))\n"
      "4\t(twenty\t~ Num\t5\tnum\t(gov car))\n"
      "5\t(cars\tcar N\t2\tobj\t(gov see))\n"
      ")\n",
      "They saw 45 twenty cars");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 5:nummod 5:nummod 2:obj ");
}

// "as" that the parse left an adverb before another preposition is a
// second case marker of that preposition's noun, and a comma before it
// goes with the noun; before "to" it stays.
TEST(SchemeToUd, AsBeforeAPreposition) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov fail))\n"
      "2\t(failed\tfail V\tE0\ti\t(gov fin))\n"
      "3\t(,\t~ Punc\t4\tpunc\t(gov as))\n"
      "4\t(as\t~ Adv\t2\tmod\t(gov fail))\n"
      "5\t(in\t~ Prep\t2\tmod\t(gov fail))\n"
      "6\t(1991\t~ Num\t5\tpcomp\t(gov in))\n"
      ")\n",
      "It failed , as in 1991");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 6:punct 6:case 6:case 2:obl ");
  EXPECT_EQ(sentence.words[3].upos, "ADP");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov fail))\n"
      "2\t(failed\tfail V\tE0\ti\t(gov fin))\n"
      "3\t(as\t~ Adv\t2\tmod\t(gov fail))\n"
      "4\t(to\t~ Prep\t2\tmod\t(gov fail))\n"
      "5\t(costs\tcost N\t4\tpcomp\t(gov to))\n"
      ")\n",
      "It failed as to costs");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 2:advmod 5:case 2:obl ");
}

// Words left as dep take the relation such words have: the "not" of
// "cannot" goes to the verb of "can", a typographic "'s" after its noun is
// its case marker, a noun fragment before the clause is its subject.
TEST(SchemeToUd, WordsLeftWithoutRelationTakeTheLikeliestOne) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t3\ts\t(gov go))\n"
      "2\t(cannot\t~ VB\t3\taux\t(gov go))\n"
      "3\t(go\tgo V\tE1\ti\t(gov fin))\n"
      ")\n",
      "Ann cannot go.");
  EXPECT_EQ(attachments(sentence), "4:nsubj 4:aux 4:advmod 0:root 4:punct ");
  sentence = from_velmo(
      "> (\n"
      "E1\t(()\t U\t*\t)\n"
      "1\t(Korea\xE2\x80\x99s\t~ N\t2\tgen\t(gov army))\n"
      "2\t(army\t~ N\tE1\t)\n"
      "E2\t(()\tfin C\tE1\t)\n"
      "3\t(Ann\t~ N\t4\ts\t(gov leave))\n"
      "4\t(left\tleave V\tE2\ti\t(gov fin))\n"
      ")\n",
      "Korea\xE2\x80\x99s army Ann left");
  EXPECT_EQ(attachments(sentence), "3:nmod:poss 1:case 5:nsubj 5:nsubj 0:root ");
  // The "s" of "its" whose first piece found no verb to go under.
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov know))\n"
      "2\t(know\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(its\t~ N\t2\tobj\t(gov know))\n"
      "4\t(true\t~ A\t2\tmod\t(gov know))\n"
      ")\n",
      "I know its true");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 2:obj 5:cop 2:advmod ");
}

// A common noun item written with capitals (its root in lower case) is a
// compound under its last word; a name item is flat under its first.
TEST(SchemeToUd, ACommonNounItemWrittenWithCapitalsIsACompound) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov see))\n"
      "2\t(saw\tsee V\tE0\ti\t(gov fin))\n"
      "3\t(\"Space Station\"\t~ N\t2\tobj\t(gov see))\n"
      "4\t(Station\t U\t3\tlex-mod\t(gov \"space station\"))\n"
      "5\t(near\t~ Prep\t3\tmod\t(gov \"space station\"))\n"
      "6\t(\"Third Reich\"\t~ N\t5\tpcomp\t(gov near))\n"
      "7\t(Reich\t U\t6\tlex-mod\t(gov \"Third Reich\"))\n"
      ")\n",
      "We saw Space Station near Third Reich");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 4:compound 2:obj 6:case 4:nmod 6:flat ");
}

// Two numbers joined by a hyphen are a range: the second modifies the
// first and the hyphen, a symbol, is its case marker.
TEST(SchemeToUd, TheSecondNumberOfARangeModifiesTheFirstWithTheHyphenAsCase) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Bush\t~ N\t2\ts\t(gov earn))\n"
      "2\t(earned\tearn V\tE0\ti\t(gov fin))\n"
      "3\t(points\tpoint N\t2\tobj\t(gov earn))\n"
      "4\t(in\t~ Prep\t2\tmod\t(gov earn))\n"
      "5\t(1969\t1969-1970 Num\t4\tpcomp\t(gov in))\n"
      "6\t(-\t U\t5\tlex-mod\t(gov 1969-1970))\n"
      "7\t(1970\t U\t5\tlex-mod\t(gov 1969-1970))\n"
      ")\n",
      "Bush earned points in 1969-1970");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 2:obj 5:case 2:obl 7:case 5:nmod ");
  EXPECT_EQ(sentence.words[5].upos, "SYM");
  EXPECT_EQ(sentence.words[6].upos, "NUM");
  EXPECT_EQ(sentence.words[4].lemma, "1969");
}

// A preposition without object that modifies a verb is an adverb.
TEST(SchemeToUd, APrepositionWithoutObjectModifyingAVerbIsAnAdverb) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Come\tcome V\tE0\ti\t(gov fin))\n"
      "2\t(in\t~ Prep\t1\tmod\t(gov come))\n"
      ")\n",
      "Come in");
  EXPECT_EQ(attachments(sentence), "0:root 1:advmod ");
  EXPECT_EQ(sentence.words[1].upos, "ADV");
}

// A lower-case noun before a person's name describes the person; before
// a name that is no person's it stays a compound.
TEST(SchemeToUd, ARoleNounBeforeAPersonsNameDescribesIt) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(adviser\t~ N\t3\tnn\t(gov Hughes))\n"
      "2\t(Karen\t~ N\t3\tnn\t(gov Hughes))\n"
      "3\t(Hughes\t~ N\t4\ts\t(gov say))\n"
      "4\t(said\tsay V\tE0\ti\t(gov fin))\n"
      ")\n",
      "adviser Karen Hughes said");
  EXPECT_EQ(attachments(sentence), "2:nmod:desc 4:nsubj 2:flat 0:root ");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(state\t~ N\t2\tnn\t(gov Capitol))\n"
      "2\t(Capitol\t~ N\t3\ts\t(gov close))\n"
      "3\t(closed\tclose V\tE0\ti\t(gov fin))\n"
      ")\n",
      "state Capitol closed");
  EXPECT_EQ(attachments(sentence), "2:compound 3:nsubj 0:root ");
}

// A lower-case noun after "the" or a personal possessive right before a
// name heads the phrase and the name is in apposition to it; after "a" or
// "its", before a name in capitals or as part of a lexicon item the noun
// stays the name's compound.
TEST(SchemeToUd, ANameAfterTheAndItsNounIsInApposition) {
  const char* tree =
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(He\t~ N\t2\ts\t(gov meet))\n"
      "2\t(met\tmeet V\tE0\ti\t(gov fin))\n"
      "3\t(%s\t~ Det\t6\tdet\t(gov Hamas))\n"
      "4\t(militant\t~ A\t6\tmod\t(gov Hamas))\n"
      "5\t(group\t~ N\t6\tnn\t(gov Hamas))\n"
      "6\t(%s\t~ N\t2\tobj\t(gov meet))\n"
      ")\n";
  auto parse = [&](const char* determiner, const char* name) {
    char text[512];
    std::snprintf(text, sizeof text, tree, determiner, name);
    return from_velmo(text, std::string("He met ") + determiner + " militant group " + name);
  };
  EXPECT_EQ(attachments(parse("the", "Hamas")), "2:nsubj 0:root 5:det 5:amod 2:obj 5:appos ");
  EXPECT_EQ(attachments(parse("a", "Hamas")), "2:nsubj 0:root 6:det 6:amod 6:compound 2:obj ");
  EXPECT_EQ(attachments(parse("the", "HAMAS")), "2:nsubj 0:root 6:det 6:amod 6:compound 2:obj ");
  auto possessed = [&](const std::string& possessive, const std::string& name, const std::string& root) {
    std::string tree = "(\nE0\t(()\tfin C\t*\t)\n1\t(" + possessive + "\t~ N\t3\tgen\t(gov x))\n";
    tree += "2\t(wife\t~ N\t3\tnn\t(gov x))\n3\t(" + name + "\t" + root + " N\t4\ts\t(gov come))\n";
    tree += "4\t(came\tcome V\tE0\ti\t(gov fin))\n)\n";
    return from_velmo(tree, possessive + " wife " + name + " came");
  };
  EXPECT_EQ(attachments(possessed("his", "Courtney", "~")), "2:nmod:poss 4:nsubj 2:appos 0:root ");
  EXPECT_EQ(attachments(possessed("its", "Courtney", "~")), "3:nmod:poss 3:compound 4:nsubj 0:root ");
  // A short form of its root is still the name; an inflected one is not.
  EXPECT_EQ(attachments(possessed("his", "Jan", "January")), "2:nmod:poss 4:nsubj 2:appos 0:root ");
  EXPECT_EQ(attachments(possessed("his", "Muslims", "Muslim")), "3:nmod:poss 3:compound 4:nsubj 0:root ");
  UdSentence item = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov go))\n"
      "2\t(went\tgo V\tE0\ti\t(gov fin))\n"
      "3\t(to\t~ Prep\t2\tmod\t(gov go))\n"
      "4\t(the\t~ Det\t5\tdet\t(gov \"flea market\"))\n"
      "5\t(\"flea Market\"\t~ N\t3\tpcomp\t(gov to))\n"
      "6\t(Market\t U\t5\tlex-mod\t(gov \"flea market\"))\n"
      ")\n",
      "We went to the flea Market");
  EXPECT_EQ(attachments(item), "2:nsubj 0:root 6:case 6:det 6:compound 2:obl ");
}

// A fused word is told whatever its case, and a plain word of letters and
// digits stays one token.
TEST(SchemeToUd, FusedWordsAreCutWhateverTheirCase) {
  UdSentence sentence = from_velmo(
      "> (\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(CANNOT\t~ VB\t2\taux\t(gov go))\n"
      "2\t(go2day\tgo V\tE1\ti\t(gov fin))\n"
      ")\n",
      "CANNOT go2day.");
  ASSERT_EQ(sentence.words.size(), 4u);
  EXPECT_EQ(sentence.words[0].form, "CAN");
  EXPECT_EQ(sentence.words[1].form, "NOT");
  EXPECT_EQ(sentence.words[2].form, "go2day");
  ASSERT_EQ(sentence.multiwords.size(), 1u);
  EXPECT_EQ(sentence.multiwords[0].form, "CANNOT");
}

// A number written against its unit is cut as the treebank writes it, and
// the unit takes the number's place: a thousand (k) has the number as its
// compound, a unit of measure as its number.
TEST(SchemeToUd, NumbersWrittenAgainstTheirUnitAreCut) {
  UdSentence thousands = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov pay))\n"
      "2\t(paid\tpay V\tE0\ti\t(gov fin))\n"
      "3\t(65k\t~ Num\t2\tobj\t(gov pay))\n"
      ")\n",
      "We paid 65k");
  ASSERT_EQ(thousands.words.size(), 4u);
  EXPECT_EQ(thousands.words[2].form, "65");
  EXPECT_EQ(thousands.words[3].form, "k");
  EXPECT_EQ(attachments(thousands), "2:nsubj 0:root 4:compound 2:obj ");
  UdSentence length = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov be))\n"
      "2\t(is\tbe V\tE0\ti\t(gov fin))\n"
      "3\t(375mm\t~ Num\t2\tpred\t(gov be))\n"
      ")\n",
      "It is 375mm");
  ASSERT_EQ(length.words.size(), 4u);
  EXPECT_EQ(length.words[2].form, "375");
  EXPECT_EQ(length.words[3].form, "mm");
  EXPECT_EQ(length.words[2].head, 4);
  EXPECT_EQ(length.words[2].deprel, "nummod");
}

// Contractions written without apostrophe are cut as the treebank cuts
// them; the verb the parse hung from the contraction takes its place.
TEST(SchemeToUd, ContractionsWithoutApostropheAreCutAndGoUnderTheirVerb) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov dont))\n"
      "2\t(dont\t~ V\tE0\ti\t(gov fin))\n"
      "E1\t(()\tfin C\t2\tpara\t(gov dont))\n"
      "3\t(know\t~ V\tE1\ti\t(gov fin))\n"
      ")\n",
      "I dont know.");
  EXPECT_EQ(attachments(sentence), "4:nsubj 4:aux 4:advmod 0:root 4:punct ");
  ASSERT_EQ(sentence.multiwords.size(), 1u);
  EXPECT_EQ(sentence.multiwords[0].form, "dont");
  EXPECT_EQ(sentence.words[1].upos, "AUX");
  EXPECT_EQ(sentence.words[2].upos, "PART");
  EXPECT_EQ(sentence.words[2].lemma, "not");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(thats\t~ V\tE0\ti\t(gov fin))\n"
      "2\t(great\t~ A\t1\tpred\t(gov thats))\n"
      ")\n",
      "thats great");
  EXPECT_EQ(attachments(sentence), "3:nsubj 3:cop 0:root ");
  EXPECT_EQ(sentence.words[0].upos, "PRON");
  EXPECT_EQ(sentence.words[1].lemma, "be");
}

// "its" is "it's" when the parse did not make it a possessor, or when a
// determiner follows it; a possessor "its" stays one word.
TEST(SchemeToUd, ItsStandingForItIsIsCut) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\t U\t*\t)\n"
      "1\t(its\t~ N\t3\tgen\t(gov reel))\n"
      "2\t(a\t~ Det\t3\tdet\t(gov reel))\n"
      "3\t(reel\t~ N\tE0\t)\n"
      ")\n",
      "its a reel");
  EXPECT_EQ(attachments(sentence), "4:nsubj 4:cop 4:det 0:root ");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\t U\t*\t)\n"
      "1\t(its\t~ N\t2\tgen\t(gov value))\n"
      "2\t(value\t~ N\tE0\t)\n"
      ")\n",
      "its value");
  EXPECT_EQ(attachments(sentence), "2:nmod:poss 0:root ");
}

TEST(SchemeToUd, AnInvertedPredicateHeadsAndTheSecondPredicateIsTheSubject) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Here\t~ Adv\t2\tpred\t(gov be))\n"
      "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(the\t~ Det\t4\tdet\t(gov file))\n"
      "4\t(file\t~ N\t2\tpred\t(gov be))\n"
      ")\n",
      "Here is the file");
  EXPECT_EQ(attachments(sentence), "0:root 1:cop 4:det 1:nsubj ");
}

TEST(SchemeToUd, AVerbBeforeItsNounIsAnAdjectivalModifierAndAfterItAClause) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Read\tread V\tE0\ti\t(gov fin))\n"
      "2\t(the\t~ Det\t4\tdet\t(gov plan))\n"
      "3\t(proposed\tpropose V\t4\tmod\t(gov plan))\n"
      "4\t(plan\t~ N\t1\tobj\t(gov read))\n"
      "5\t(attached\tattach V\t4\tmod\t(gov plan))\n"
      ")\n",
      "Read the proposed plan attached");
  EXPECT_EQ(attachments(sentence), "0:root 4:det 4:amod 1:obj 4:acl ");
}

TEST(SchemeToUd, SuchBeforeTheDeterminerIsAPredeterminer) {
  UdSentence sentence = from_velmo(
      "(\n"
      "1\t(Such\t~ A\t3\tmod\t(gov mess))\n"
      "2\t(a\t~ Det\t3\tdet\t(gov mess))\n"
      "3\t(mess\t~ N\t*\t)\n"
      ")\n",
      "Such a mess");
  EXPECT_EQ(sentence.words[0].deprel, "det:predet");
  // After the determiner it is an adjective (no such thing).
  UdSentence after = from_velmo(
      "(\n"
      "1\t(no\t~ Det\t3\tdet\t(gov thing))\n"
      "2\t(such\t~ A\t3\tmod\t(gov thing))\n"
      "3\t(thing\t~ N\t*\t)\n"
      ")\n",
      "no such thing");
  EXPECT_EQ(after.words[1].deprel, "amod");
}

TEST(SchemeToUd, AllBeforeTheDeterminerOrPossessiveIsAPredeterminer) {
  UdSentence the = from_velmo(
      "(\n"
      "1\t(all\t~ Det\t3\tdet\t(gov people))\n"
      "2\t(the\t~ Det\t3\tdet\t(gov people))\n"
      "3\t(people\t~ N\t*\t)\n"
      ")\n",
      "all the people");
  EXPECT_EQ(the.words[0].deprel, "det:predet");
  UdSentence mine = from_velmo(
      "(\n"
      "1\t(all\t~ Det\t3\tdet\t(gov friend))\n"
      "2\t(my\t~ N\t3\tgen\t(gov friend))\n"
      "3\t(friends\tfriend N\t*\t)\n"
      ")\n",
      "all my friends");
  EXPECT_EQ(mine.words[0].deprel, "det:predet");
  // Alone before its noun it is the determiner (all people); other
  // determiners before "the" are not predeterminers.
  UdSentence alone = from_velmo(
      "(\n"
      "1\t(all\t~ Det\t2\tdet\t(gov people))\n"
      "2\t(people\t~ N\t*\t)\n"
      ")\n",
      "all people");
  EXPECT_EQ(alone.words[0].deprel, "det");
  UdSentence these = from_velmo(
      "(\n"
      "1\t(any\t~ Det\t3\tdet\t(gov people))\n"
      "2\t(these\t~ Det\t3\tdet\t(gov people))\n"
      "3\t(people\t~ N\t*\t)\n"
      ")\n",
      "any these people");
  EXPECT_EQ(these.words[0].deprel, "det");
}

// An infinitive after "we are ADJ" is an open complement after adjectives
// of ability, readiness or likelihood, a clausal complement after the
// tough adjectives, and an adverbial clause after any other adjective.
TEST(SchemeToUd, AnInfinitiveAfterAnAdjectiveIsOpenOnlyAfterAbilityReadinessOrLikelihood) {
  auto infinitive_after = [](const std::string& adjective, const std::string& degree = "") {
    std::string tree = "(\n"
                       "E0\t(()\tfin C\t*\t)\n"
                       "1\t(We\t~ N\t2\ts\t(gov be))\n"
                       "2\t(are\tbe VBE\tE0\ti\t(gov fin))\n";
    std::string text = "We are ";
    int at = 3;
    if (!degree.empty()) {
      tree += "3\t(" + degree + "\t~ Adv\t4\tmod\t(gov " + adjective + "))\n";
      text += degree + " ";
      at = 4;
    }
    const std::string a = std::to_string(at), to = std::to_string(at + 1), verb = std::to_string(at + 2);
    tree += a + "\t(" + adjective + "\t~ A\t2\tpred\t(gov be))\n" +
            to + "\t(to\t~ VB\t" + verb + "\taux\t(gov go))\n" +
            verb + "\t(go\t~ V\t" + a + "\tcomp\t(gov " + adjective + "))\n)\n";
    text += adjective + " to go";
    UdSentence sentence = from_velmo(tree, text);
    return sentence.words[at + 1].deprel;
  };
  EXPECT_EQ(infinitive_after("able"), "xcomp");
  EXPECT_EQ(infinitive_after("willing"), "xcomp");
  EXPECT_EQ(infinitive_after("likely"), "xcomp");
  EXPECT_EQ(infinitive_after("ready"), "xcomp");
  EXPECT_EQ(infinitive_after("easy"), "ccomp");
  EXPECT_EQ(infinitive_after("glad"), "advcl");
  EXPECT_EQ(infinitive_after("lucky"), "advcl");
  EXPECT_EQ(infinitive_after("necessary"), "advcl");
  EXPECT_EQ(infinitive_after("ready", "too"), "advcl");
}

TEST(SchemeToUd, ItBeforeACopulaAndAClauseIsAnExpletiveAndTheClauseTheSubject) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov be))\n"
      "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(easy\t~ A\t2\tpred\t(gov be))\n"
      "4\t(to\t~ VB\t5\taux\t(gov see))\n"
      "5\t(see\t~ V\t3\tcomp\t(gov easy))\n"
      ")\n",
      "It is easy to see");
  EXPECT_EQ(attachments(sentence), "3:expl 3:cop 0:root 5:mark 3:csubj ");
  // Without the clause "it" stays the subject.
  UdSentence plain = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov be))\n"
      "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(easy\t~ A\t2\tpred\t(gov be))\n"
      ")\n",
      "It is easy");
  EXPECT_EQ(attachments(plain), "3:nsubj 3:cop 0:root ");
}

TEST(SchemeToUd, AnExtraposedThatClauseOrInfinitiveIsTheSubject) {
  UdSentence clear = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov be))\n"
      "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(clear\t~ A\t2\tpred\t(gov be))\n"
      "4\t(that\t~ C\t3\tmod\t(gov clear))\n"
      "5\t(he\t~ N\t6\ts\t(gov leave))\n"
      "6\t(left\tleave V\t4\ti\t(gov that))\n"
      ")\n",
      "It is clear that he left");
  EXPECT_EQ(attachments(clear), "3:expl 3:cop 0:root 6:mark 6:nsubj 3:csubj ");
  auto noun_predicate = [](const std::string& noun) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(It\t~ N\t2\ts\t(gov be))\n"
        "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
        "3\t(a\t~ Det\t4\tdet\t(gov " + noun + "))\n"
        "4\t(" + noun + "\t~ N\t2\tpred\t(gov be))\n"
        "5\t(to\t~ VB\t6\taux\t(gov wait))\n"
        "6\t(wait\t~ V\t4\tmod\t(gov " + noun + "))\n"
        ")\n",
        "It is a " + noun + " to wait");
    return sentence.words[0].deprel + " " + sentence.words[5].deprel;
  };
  EXPECT_EQ(noun_predicate("idea"), "expl csubj");
  // An infinitive that describes its noun stays the noun's clause.
  EXPECT_EQ(noun_predicate("place"), "nsubj acl");
  UdSentence took = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov take))\n"
      "2\t(took\ttake V\tE0\ti\t(gov fin))\n"
      "3\t(days\tday N\t2\tmod\t(gov take))\n"
      "4\t(to\t~ VB\t5\taux\t(gov finish))\n"
      "5\t(finish\t~ V\t2\tmod\t(gov take))\n"
      ")\n",
      "It took days to finish");
  EXPECT_EQ(attachments(took), "2:expl 0:root 2:obl:unmarked 5:mark 2:csubj ");
  // Any other verb keeps its subject and its clause of purpose.
  UdSentence waited = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov wait))\n"
      "2\t(waited\twait V\tE0\ti\t(gov fin))\n"
      "3\t(to\t~ VB\t4\taux\t(gov eat))\n"
      "4\t(eat\t~ V\t2\tmod\t(gov wait))\n"
      ")\n",
      "It waited to eat");
  EXPECT_EQ(attachments(waited), "2:nsubj 0:root 4:mark 2:advcl ");
}

TEST(SchemeToUd, InfinitivesAfterQuestionWordsAndAfterUse) {
  auto clause_of = [](const std::string& verb, const std::string& middle_line, const std::string& middle) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(I\t~ N\t2\ts\t(gov " + verb + "))\n"
        "2\t(" + verb + "\t" + verb + " V\tE0\ti\t(gov fin))\n" + middle_line +
        "4\t(to\t~ VB\t5\taux\t(gov pay))\n"
        "5\t(pay\t~ V\t2\tcomp\t(gov " + verb + "))\n"
        ")\n",
        "I " + verb + " " + middle + " to pay");
    return sentence.words[4].deprel;
  };
  EXPECT_EQ(clause_of("know", "3\t(how\t~ Adv\t2\tmod\t(gov know))\n", "how"), "ccomp");
  EXPECT_EQ(clause_of("use", "3\t(cash\t~ N\t2\tobj\t(gov use))\n", "cash"), "advcl");
  EXPECT_EQ(clause_of("need", "3\t(cash\t~ N\t2\tobj\t(gov need))\n", "cash"), "xcomp");
}

TEST(SchemeToUd, AnInfinitiveAdjunctOfAVerbTakingAnInfinitiveComplementCompletesIt) {
  auto clause_of = [](const std::string& verb, const std::string& root, const std::string& before) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(I\t~ N\t2\ts\t(gov " + root + "))\n"
        "2\t(" + verb + "\t" + root + " V\tE0\ti\t(gov fin))\n"
        "3\t(" + before + "\t~ Adv\t2\tmod\t(gov " + root + "))\n"
        "4\t(to\t~ VB\t5\taux\t(gov pay))\n"
        "5\t(pay\t~ V\t2\tmod\t(gov " + root + "))\n"
        ")\n",
        "I " + verb + " " + before + " to pay");
    return sentence.words[4].deprel;
  };
  // try hard to pay: the infinitive is what is tried.
  EXPECT_EQ(clause_of("tried", "try", "hard"), "xcomp");
  // Other verbs keep an infinitive of purpose (worked hard to pay), and so
  // does "so as to".
  EXPECT_EQ(clause_of("worked", "work", "hard"), "advcl");
  EXPECT_EQ(clause_of("tried", "try", "as"), "advcl");
}

TEST(SchemeToUd, NounsOfWhatIsToldStayObjects) {
  auto object_of = [](const std::string& noun, const std::string& root) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(I\t~ N\t2\ts\t(gov ask))\n"
        "2\t(asked\task V\tE0\ti\t(gov fin))\n"
        "3\t(" + noun + "\t" + root + " N\t2\tobj\t(gov ask))\n"
        ")\n",
        "I asked " + noun);
    return sentence.words[2].deprel;
  };
  EXPECT_EQ(object_of("questions", "question"), "obj");
  EXPECT_EQ(object_of("Val", "~"), "iobj");
}

TEST(SchemeToUd, ALooseClauseAfterAVerbOfSayingAndItsColonIsItsComplement) {
  auto clause_after = [](const std::string& verb, const std::string& root) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E1\t(()\tfin C\t*\t)\n"
        "1\t(He\t~ N\t2\ts\t(gov " + root + "))\n"
        "2\t(" + verb + "\t" + root + " V\tE1\ti\t(gov fin))\n"
        "E0\t(()\tfin C\t2\tpara\t(gov " + root + "))\n"
        "3\t(:\t~ Punc\t5\tpunc\t(gov win))\n"
        "4\t(we\t~ N\t5\ts\t(gov win))\n"
        "5\t(won\twin V\tE0\ti\t(gov fin))\n"
        ")\n",
        "He " + verb + ": we won");
    return sentence.words[4].deprel;
  };
  EXPECT_EQ(clause_after("said", "say"), "ccomp");
  EXPECT_EQ(clause_after("wrote", "write"), "ccomp");
  EXPECT_EQ(clause_after("came", "come"), "parataxis");
}

TEST(SchemeToUd, ALooseClauseAfterALaterConjunctHangsFromTheFirst) {
  // A child is protected and the truth is exposed, we won.
  UdSentence sentence = from_velmo(
      "(\n"
      "E2\t(()\tfin C\t*\t)\n"
      "1\t(A\t~ Det\t2\tdet\t(gov child))\n"
      "2\t(child\t~ N\t4\ts\t(gov protect))\n"
      "3\t(is\tbe VB\t4\taux\t(gov protect))\n"
      "4\t(protected\tprotect V\tE2\ti\t(gov fin))\n"
      "E1\t(()\tfin C\tE2\tconj\t(gov fin))\n"
      "5\t(and\t~ Conn\t9\tcc\t(gov expose))\n"
      "6\t(the\t~ Det\t7\tdet\t(gov truth))\n"
      "7\t(truth\t~ N\t9\ts\t(gov expose))\n"
      "8\t(is\tbe VB\t9\taux\t(gov expose))\n"
      "9\t(exposed\texpose V\tE1\ti\t(gov fin))\n"
      "E0\t(()\tfin C\t9\tpara\t(gov expose))\n"
      "10\t(,\t~ Punc\t12\tpunc\t(gov win))\n"
      "11\t(we\t~ N\t12\ts\t(gov win))\n"
      "12\t(won\twin V\tE0\ti\t(gov fin))\n"
      ")\n",
      "A child is protected and the truth is exposed , we won");
  EXPECT_EQ(sentence.words[8].deprel, "conj");
  EXPECT_EQ(sentence.words[8].head, 4);
  EXPECT_EQ(sentence.words[11].deprel, "parataxis");
  EXPECT_EQ(sentence.words[11].head, 4);
}

TEST(SchemeToUd, AButClauseWithItsOwnSubjectHangsFromTheMainClause) {
  // I think it works , but he left: the parse joined "left" to "works".
  auto conjunction = [](const std::string& word) {
    return from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(I\t~ N\t2\ts\t(gov think))\n"
        "2\t(think\tthink V\tE0\ti\t(gov fin))\n"
        "E1\t(()\tfin C\t2\tcomp\t(gov think))\n"
        "3\t(it\t~ N\t4\ts\t(gov work))\n"
        "4\t(works\twork V\tE1\ti\t(gov fin))\n"
        "E2\t(()\tfin C\tE1\tconj\t(gov fin))\n"
        "5\t(,\t~ Punc\t8\tpunc\t(gov leave))\n"
        "6\t(" + word + "\t~ Conn\t8\tcc\t(gov leave))\n"
        "7\t(he\t~ N\t8\ts\t(gov leave))\n"
        "8\t(left\tleave V\tE2\ti\t(gov fin))\n"
        ")\n",
        "I think it works , " + word + " he left");
  };
  UdSentence but = conjunction("but");
  EXPECT_EQ(but.words[7].deprel, "conj");
  EXPECT_EQ(but.words[7].head, 2);
  UdSentence other = conjunction("and");
  EXPECT_EQ(other.words[7].deprel, "conj");
  EXPECT_EQ(other.words[7].head, 4);
}

TEST(SchemeToUd, ABecauseClauseAfterBeWithoutPredicateIsThePredicate) {
  // It was just because he left.
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov be))\n"
      "2\t(was\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(just\t~ Adv\t2\tmod\t(gov be))\n"
      "4\t(because\t~ C\t2\tmod\t(gov be))\n"
      "5\t(he\t~ N\t6\ts\t(gov leave))\n"
      "6\t(left\tleave V\t4\ti\t(gov because))\n"
      ")\n",
      "It was just because he left");
  EXPECT_EQ(sentence.words[5].deprel, "root");
  EXPECT_EQ(sentence.words[1].deprel, "cop");
  EXPECT_EQ(sentence.words[1].head, 6);
  EXPECT_EQ(sentence.words[0].deprel, "nsubj");
  EXPECT_EQ(sentence.words[0].head, 6);
  EXPECT_EQ(sentence.words[3].deprel, "mark");
  // After a verb other than be the clause stays adverbial.
  UdSentence verb = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov go))\n"
      "2\t(went\tgo V\tE0\ti\t(gov fin))\n"
      "3\t(because\t~ C\t2\tmod\t(gov go))\n"
      "4\t(he\t~ N\t5\ts\t(gov leave))\n"
      "5\t(left\tleave V\t3\ti\t(gov because))\n"
      ")\n",
      "I went because he left");
  EXPECT_EQ(verb.words[4].deprel, "advcl");
  EXPECT_EQ(verb.words[4].head, 2);
}

TEST(SchemeToUd, AFirstObjectWithOnlyAToPhraseAfterItIsTheThingGiven) {
  // give them to a library: no second object, so "them" is what is given.
  auto first_object = [](const std::string& rest, const std::string& line) {
    return attachments(from_velmo("> (\n"
                                  "E0\t(()\tfin C\t*\t)\n"
                                  "1\t(give\t~ V\tE0\ti\t(gov fin))\n"
                                  "2\t(them\t~ N\t1\tobj2\t(gov give))\n" +
                                      rest + ")\n",
                                  line));
  };
  EXPECT_EQ(first_object("3\t(to\t~ Prep\t1\tmod\t(gov give))\n"
                         "4\t(libraries\tlibrary N\t3\tpcomp\t(gov to))\n",
                         "give them to libraries"),
            "0:root 1:obj 4:case 1:obl ");
  // With a second object, or with nothing after it, it stays the recipient.
  EXPECT_EQ(first_object("3\t(books\tbook N\t1\tobj\t(gov give))\n", "give them books"), "0:root 1:iobj 1:obj ");
  EXPECT_EQ(first_object("", "give them"), "0:root 1:iobj ");
}

TEST(SchemeToUd, ABitAfterAnObjectMeasuresTheVerb) {
  // handle him a little bit: "bit" is an unmarked oblique, "him" the object.
  auto measured = [](const std::string& rest, const std::string& line) {
    return attachments(from_velmo("> (\n"
                                  "E0\t(()\tfin C\t*\t)\n"
                                  "1\t(handle\t~ V\tE0\ti\t(gov fin))\n"
                                  "2\t(him\t~ N\t1\tobj\t(gov handle))\n"
                                  "3\t(a\t~ Det\t5\tdet\t(gov bit))\n"
                                  "4\t(little\t~ A\t5\tmod\t(gov bit))\n"
                                  "5\t(bit\t~ N\t1\tobj\t(gov handle))\n" +
                                      rest + ")\n",
                                  line));
  };
  EXPECT_EQ(measured("", "handle him a little bit"), "0:root 1:obj 5:det 5:amod 1:obl:unmarked ");
  // "a bit of" something is what is handed over.
  EXPECT_EQ(measured("6\t(of\t~ Prep\t5\tmod\t(gov bit))\n"
                     "7\t(food\t~ N\t6\tpcomp\t(gov of))\n",
                     "handle him a little bit of food"),
            "0:root 1:iobj 5:det 5:amod 1:obj 7:case 5:nmod ");
}

TEST(SchemeToUd, DoubleAngleBracketsAreAPair) {
  // - notes.doc << File : notes.doc >>: the closing marks go to "File",
  // the head of what they enclose.
  UdSentence sentence = from_velmo(
      "(\n"
      "2\t(notes.doc\t~ N\t*\t)\n"
      "4\t(File\t~ N\t2\tappo\t(gov notes.doc))\n"
      "6\t(notes.doc\t~ N\t4\tappo\t(gov file))\n"
      ")\n",
      "- notes.doc << File : notes.doc >>");
  EXPECT_EQ(sentence.words[2].head, 4);
  EXPECT_EQ(sentence.words[6].form, ">>");
  EXPECT_EQ(sentence.words[6].head, 4);
  EXPECT_EQ(sentence.words[6].deprel, "punct");
}

TEST(SchemeToUd, AGerundAfterTheObjectOfAVerbOfPerceivingIsItsOpenComplement) {
  // Feel your body sinking: "sinking" says what the body does.
  auto gerund = [](const std::string& verb) {
    return attachments(from_velmo("(\n"
                                  "E0\t(()\tfin C\t*\t)\n"
                                  "1\t(" + verb + "\t~ V\tE0\ti\t(gov fin))\n"
                                  "2\t(your\t~ N\t3\tgen\t(gov body))\n"
                                  "3\t(body\t~ N\t1\tobj\t(gov " + verb + "))\n"
                                  "4\t(sinking\tsink V\t1\tmod\t(gov " + verb + "))\n"
                                  ")\n",
                                  verb + " your body sinking"));
  };
  EXPECT_EQ(gerund("feel"), "0:root 3:nmod:poss 1:obj 1:xcomp ");
  // After other verbs it stays adverbial (spend the day sinking).
  EXPECT_EQ(gerund("spend"), "0:root 3:nmod:poss 1:obj 1:advcl ");
}

TEST(SchemeToUd, AComparativeMeasuringANumberIsItsAdverb) {
  // more than 60 countries: "more" is an adverb of "60", "few" an adjective.
  auto measure = [](const std::string& word) {
    return attachments(from_velmo("(\n"
                                  "1\t(" + word + "\t~ A\t3\tmod\t(gov 60))\n"
                                  "2\t(than\t~ Prep\t1\tmod\t(gov " + word + "))\n"
                                  "3\t(60\t~ Num\t4\tnum\t(gov country))\n"
                                  "4\t(countries\tcountry N\t*\t)\n"
                                  ")\n",
                                  word + " than 60 countries"));
  };
  EXPECT_EQ(measure("more").substr(0, 9), "3:advmod ");
  EXPECT_EQ(measure("few").substr(0, 7), "3:amod ");
}

TEST(SchemeToUd, AGerundAfterAboutOrLikeAfterBeIsThePredicate) {
  // It isn't about winning: "winning" heads, "is" is its copula.
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov be))\n"
      "2\t(isn\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t('t\t~ Adv\t2\tmod\t(gov be))\n"
      "4\t(about\t~ C\t2\tmod\t(gov be))\n"
      "5\t(winning\twin V\t4\ti\t(gov about))\n"
      ")\n",
      "It isn't about winning");
  EXPECT_EQ(sentence.words[4].deprel, "root");
  EXPECT_EQ(sentence.words[1].deprel, "cop");
  EXPECT_EQ(sentence.words[1].head, 5);
  EXPECT_EQ(sentence.words[0].deprel, "nsubj");
  EXPECT_EQ(sentence.words[0].head, 5);
  EXPECT_EQ(sentence.words[2].head, 5);
  EXPECT_EQ(sentence.words[3].deprel, "mark");
  EXPECT_EQ(sentence.words[3].head, 5);
  // An infinitive after "like" is no such predicate: "be" stays the root.
  UdSentence infinitive = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(He\t~ N\t2\ts\t(gov be))\n"
      "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(like\t~ C\t2\tmod\t(gov be))\n"
      "4\t(to\t~ VB\t5\taux\t(gov win))\n"
      "5\t(win\t~ V\t3\ti\t(gov like))\n"
      ")\n",
      "He is like to win");
  EXPECT_EQ(infinitive.words[1].deprel, "root");
  EXPECT_EQ(infinitive.words[4].head, 2);
}

TEST(SchemeToUd, HoweverSetOffByACommaIsNoPredicateAndAsMayFollowAdverbs) {
  // However , the result was not as expected: "expected" is the predicate,
  // "However" its adverb (not the predicate, as in "however big it is").
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(However\t~ Adv\t5\tmod\t(gov be))\n"
      "3\t(the\t~ Det\t4\tdet\t(gov result))\n"
      "4\t(result\t~ N\t5\ts\t(gov be))\n"
      "5\t(was\tbe VBE\tE0\ti\t(gov fin))\n"
      "6\t(not\t~ Adv\t5\tmod\t(gov be))\n"
      "7\t(as\t~ C\t5\tmod\t(gov be))\n"
      "8\t(expected\texpect V\t7\ti\t(gov as))\n"
      ")\n",
      "However , the result was not as expected");
  EXPECT_EQ(sentence.words[7].deprel, "root");
  EXPECT_EQ(sentence.words[0].deprel, "advmod");
  EXPECT_EQ(sentence.words[0].head, 8);
  EXPECT_EQ(sentence.words[3].deprel, "nsubj");
  EXPECT_EQ(sentence.words[3].head, 8);
  EXPECT_EQ(sentence.words[4].deprel, "cop");
  EXPECT_EQ(sentence.words[4].head, 8);
  EXPECT_EQ(sentence.words[5].head, 8);
  EXPECT_EQ(sentence.words[6].deprel, "mark");
  EXPECT_EQ(sentence.words[6].head, 8);
}

TEST(SchemeToUd, ABareVerbAfterWhatIsDoneIsThePredicate) {
  // All you have to do is become a member: "is" is the copula of "become".
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(All\t~ N\t7\ts\t(gov become))\n"
      "E0\t(()\tfin C\t1\trel\t(gov all))\n"
      "2\t(you\t~ N\t3\ts\t(gov have))\n"
      "3\t(have\t~ V\tE0\ti\t(gov fin))\n"
      "4\t(to\t~ VB\t5\taux\t(gov do))\n"
      "5\t(do\t~ V\t3\tcomp\t(gov have))\n"
      "6\t(is\tbe VB\t7\taux\t(gov become))\n"
      "7\t(become\t~ V\tE1\ti\t(gov fin))\n"
      "8\t(a\t~ Det\t9\tdet\t(gov member))\n"
      "9\t(member\t~ N\t7\tobj\t(gov become))\n"
      ")\n",
      "All you have to do is become a member");
  EXPECT_EQ(sentence.words[6].deprel, "root");
  EXPECT_EQ(sentence.words[5].deprel, "cop");
  EXPECT_EQ(sentence.words[5].head, 7);
  EXPECT_EQ(sentence.words[0].deprel, "nsubj");
  // Without anything done before it, such a verb stays a passive.
  UdSentence passive = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(The\t~ Det\t2\tdet\t(gov box))\n"
      "2\t(box\t~ N\t4\ts\t(gov put))\n"
      "3\t(was\tbe VB\t4\taux\t(gov put))\n"
      "4\t(put\t~ V\tE0\ti\t(gov fin))\n"
      "5\t(away\t~ Adv\t4\tmod\t(gov put))\n"
      ")\n",
      "The box was put away");
  EXPECT_EQ(passive.words[2].deprel, "aux:pass");
  EXPECT_EQ(passive.words[1].deprel, "nsubj:pass");
}

TEST(SchemeToUd, ALooseClauseUnderAContentClauseHangsFromTheMainClause) {
  // They promised it was done , so I waited: the parse hung "waited" from
  // "done", the verb of the content clause.
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(They\t~ N\t2\ts\t(gov promise))\n"
      "2\t(promised\tpromise V\tE0\ti\t(gov fin))\n"
      "E1\t(()\tfin C\t2\tcomp\t(gov promise))\n"
      "3\t(it\t~ N\t5\ts\t(gov do))\n"
      "4\t(was\tbe VB\t5\taux\t(gov do))\n"
      "5\t(done\tdo V\tE1\ti\t(gov fin))\n"
      "E2\t(()\tfin C\t5\tpara\t(gov do))\n"
      "6\t(,\t~ Punc\t9\tpunc\t(gov wait))\n"
      "7\t(so\t~ Adv\t9\tmod\t(gov wait))\n"
      "8\t(I\t~ N\t9\ts\t(gov wait))\n"
      "9\t(waited\twait V\tE2\ti\t(gov fin))\n"
      ")\n",
      "They promised it was done , so I waited");
  EXPECT_EQ(sentence.words[4].deprel, "ccomp");
  EXPECT_EQ(sentence.words[8].deprel, "parataxis");
  EXPECT_EQ(sentence.words[8].head, 2);
}

TEST(SchemeToUd, TheClauseOfTheSecondAsMeasuresTheWordBetweenTheTwo) {
  // It is fine , as far as I know: the parse hung "know" from "be".
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov be))\n"
      "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(fine\t~ A\t2\tpred\t(gov be))\n"
      "4\t(,\t~ Punc\t6\tpunc\t(gov far))\n"
      "5\t(as\t~ Adv\t6\tmod\t(gov far))\n"
      "6\t(far\t~ Adv\t2\tmod\t(gov be))\n"
      "7\t(as\t~ C\t2\tmod\t(gov be))\n"
      "8\t(I\t~ N\t9\ts\t(gov know))\n"
      "9\t(know\t~ V\t7\ti\t(gov as))\n"
      ")\n",
      "It is fine , as far as I know");
  EXPECT_EQ(attachments(sentence), "3:nsubj 3:cop 0:root 6:punct 6:advmod 3:advmod 9:mark 9:nsubj 6:advcl ");
}

TEST(SchemeToUd, AThatClauseTakenAsTheAdjunctOfAnAdjectiveIsItsComplement) {
  // Ann is pleased that Bob left: the parse hung the clause from the
  // adjective as an adjunct.
  UdSentence plain = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t2\ts\t(gov be))\n"
      "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(pleased\t~ A\t2\tpred\t(gov be))\n"
      "4\t(that\t~ C\t3\tmod\t(gov pleased))\n"
      "5\t(Bob\t~ N\t6\ts\t(gov leave))\n"
      "6\t(left\tleave V\t4\ti\t(gov that))\n"
      ")\n",
      "Ann is pleased that Bob left");
  EXPECT_EQ(attachments(plain), "3:nsubj 3:cop 0:root 6:mark 6:nsubj 3:ccomp ");
  // "so" before the adjective: the clause tells a result and stays adverbial.
  UdSentence result = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t2\ts\t(gov be))\n"
      "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(so\t~ Adv\t4\tmod\t(gov pleased))\n"
      "4\t(pleased\t~ A\t2\tpred\t(gov be))\n"
      "5\t(that\t~ C\t4\tmod\t(gov pleased))\n"
      "6\t(Bob\t~ N\t7\ts\t(gov leave))\n"
      "7\t(left\tleave V\t5\ti\t(gov that))\n"
      ")\n",
      "Ann is so pleased that Bob left");
  EXPECT_EQ(attachments(result), "4:nsubj 4:cop 4:advmod 0:root 7:mark 7:nsubj 4:advcl ");
  // Nor does a clause opened by another word change (pleased because ...).
  UdSentence because = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t2\ts\t(gov be))\n"
      "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(pleased\t~ A\t2\tpred\t(gov be))\n"
      "4\t(because\t~ C\t3\tmod\t(gov pleased))\n"
      "5\t(Bob\t~ N\t6\ts\t(gov leave))\n"
      "6\t(left\tleave V\t4\ti\t(gov because))\n"
      ")\n",
      "Ann is pleased because Bob left");
  EXPECT_EQ(attachments(because), "3:nsubj 3:cop 0:root 6:mark 6:nsubj 3:advcl ");
}

TEST(SchemeToUd, AConjunctOpeningWithAnAdverbialClauseGivesWayToTheClauseAfterIt) {
  // Ann was kind , and when Bob left , Ann came out: the parse made "left"
  // the conjunct and "came" its loose clause.
  const std::string tree =
      "(\n"
      "E2\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t2\ts\t(gov be))\n"
      "2\t(was\tbe VBE\tE2\ti\t(gov fin))\n"
      "3\t(kind\t~ A\t2\tpred\t(gov be))\n"
      "E1\t(()\tfin C\tE2\tconj\t(gov fin))\n"
      "4\t(,\t~ Punc\t8\tpunc\t(gov leave))\n"
      "5\t(and\t~ Conn\t8\tcc\t(gov leave))\n"
      "6\t(when\t~ Adv\t8\tmod\t(gov leave))\n"
      "7\t(Bob\t~ N\t8\ts\t(gov leave))\n"
      "8\t(left\tleave V\tE1\ti\t(gov fin))\n"
      "E0\t(()\tfin C\t8\tpara\t(gov leave))\n"
      "9\t(,\t~ Punc\t11\tpunc\t(gov come))\n"
      "10\t(Ann\t~ N\t11\ts\t(gov come))\n"
      "11\t(came\tcome V\tE0\ti\t(gov fin))\n"
      "12\t(out\t~ Adv\t11\tmod\t(gov come))\n"
      ")\n";
  UdSentence sentence = from_velmo(tree, "Ann was kind , and when Bob left , Ann came out");
  EXPECT_EQ(attachments(sentence), "3:nsubj 3:cop 0:root 11:punct 11:cc 8:advmod 8:nsubj 11:advcl 8:punct 11:nsubj 3:conj 11:advmod ");
  // Without a subject of its own the later clause stays where it was.
  std::string subjectless = tree;
  const std::string subject = "10\t(Ann\t~ N\t11\ts\t(gov come))\n";
  subjectless.replace(subjectless.find(subject), subject.size(), "10\t(then\t~ Adv\t11\tmod\t(gov come))\n");
  UdSentence kept = from_velmo(subjectless, "Ann was kind , and when Bob left , then came out");
  EXPECT_EQ(kept.words[7].deprel, "conj");
  EXPECT_EQ(kept.words[7].head, 3);
  EXPECT_EQ(kept.words[10].deprel, "parataxis");
}

TEST(SchemeToUd, AnOpeningAdverbialClauseGivesTheRootToTheClauseAfterIt) {
  // When I called , she left: the parse made "called" the main verb and
  // "left" its parataxis.
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(When\t~ Adv\t3\tmod\t(gov call))\n"
      "2\t(I\t~ N\t3\ts\t(gov call))\n"
      "3\t(called\tcall V\tE0\ti\t(gov fin))\n"
      "E1\t(()\tfin C\t3\tpara\t(gov call))\n"
      "4\t(,\t~ Punc\t6\tpunc\t(gov leave))\n"
      "5\t(she\t~ N\t6\ts\t(gov leave))\n"
      "6\t(left\tleave V\tE1\ti\t(gov fin))\n"
      ")\n",
      "When I called , she left");
  EXPECT_EQ(sentence.words[5].deprel, "root");
  EXPECT_EQ(sentence.words[5].head, 0);
  EXPECT_EQ(sentence.words[2].deprel, "advcl");
  EXPECT_EQ(sentence.words[2].head, 6);
  EXPECT_EQ(sentence.words[0].head, 3);
  EXPECT_EQ(sentence.words[3].head, 3);

  // Should they decide , we will feel it: the auxiliary before its subject
  // opens the clause of condition.
  UdSentence inverted = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Should\t~ VB\t3\taux\t(gov decide))\n"
      "2\t(they\t~ N\t3\ts\t(gov decide))\n"
      "3\t(decide\t~ V\tE0\ti\t(gov fin))\n"
      "E1\t(()\tfin C\t3\tpara\t(gov decide))\n"
      "4\t(,\t~ Punc\t7\tpunc\t(gov feel))\n"
      "5\t(we\t~ N\t7\ts\t(gov feel))\n"
      "6\t(will\t~ VB\t7\taux\t(gov feel))\n"
      "7\t(feel\t~ V\tE1\ti\t(gov fin))\n"
      "8\t(it\t~ N\t7\tobj\t(gov feel))\n"
      ")\n",
      "Should they decide , we will feel it");
  EXPECT_EQ(inverted.words[6].head, 0);
  EXPECT_EQ(inverted.words[2].deprel, "advcl");
  EXPECT_EQ(inverted.words[2].head, 7);

  // With its subject before the subordinator the first clause stays the
  // main one (I left as he came , she said).
  UdSentence kept = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov leave))\n"
      "2\t(left\tleave V\tE0\ti\t(gov fin))\n"
      "3\t(as\t~ Adv\t2\tmod\t(gov leave))\n"
      "E1\t(()\tfin C\t2\tpara\t(gov leave))\n"
      "4\t(,\t~ Punc\t6\tpunc\t(gov say))\n"
      "5\t(she\t~ N\t6\ts\t(gov say))\n"
      "6\t(said\tsay V\tE1\ti\t(gov fin))\n"
      ")\n",
      "I left as , she said");
  EXPECT_EQ(kept.words[1].head, 0);
  EXPECT_EQ(kept.words[5].deprel, "parataxis");
}

TEST(SchemeToUd, TheNounAfterAVerbOfSayingRightAfterTheClosingQuoteIsItsSubject) {
  // The words reported are no clause the verb took: the quotes alone tell
  // that the noun after "said" says them.
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "2\t(Land\t~ N\t3\tnn\t(gov mine))\n"
      "3\t(mines\tmine N\tE0\ts\t(gov fin))\n"
      "4\t(,\t~ Punc\t6\tpunc\t(gov say))\n"
      "6\t(said\tsay V\tE0\ti\t(gov fin))\n"
      "7\t(the\t~ Det\t9\tdet\t(gov woman))\n"
      "8\t(Kuwaiti\t~ A\t9\tmod\t(gov woman))\n"
      "9\t(woman\t~ N\t6\tobj\t(gov say))\n"
      ")\n",
      "\"Land mines,\" said the Kuwaiti woman.");
  ASSERT_EQ(sentence.words.size(), 10u);
  EXPECT_EQ(sentence.words[8].form, "woman");
  EXPECT_EQ(sentence.words[8].head, 6);
  EXPECT_EQ(sentence.words[8].deprel, "nsubj");

  // Without the quote the noun stays the object (Rain, said the woman).
  UdSentence unquoted = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Rain\t~ N\tE0\ts\t(gov fin))\n"
      "2\t(,\t~ Punc\t3\tpunc\t(gov say))\n"
      "3\t(said\tsay V\tE0\ti\t(gov fin))\n"
      "4\t(the\t~ Det\t5\tdet\t(gov woman))\n"
      "5\t(woman\t~ N\t3\tobj\t(gov say))\n"
      ")\n",
      "Rain, said the woman");
  ASSERT_EQ(unquoted.words.size(), 5u);
  EXPECT_EQ(unquoted.words[4].deprel, "obj");
}

TEST(SchemeToUd, AFigureBeforeADashHeadsItsLine) {
  // 68 - Percentage of workers: the parse read the figure as the noun's
  // modifier.
  UdSentence sentence = from_velmo(
      "(\n"
      "1\t(68\t~ A\t3\tmod\t(gov percentage))\n"
      "3\t(Percentage\t~ N\t*\t)\n"
      "4\t(of\t~ Prep\t3\tmod\t(gov percentage))\n"
      "5\t(workers\tworker N\t4\tpcomp\t(gov of))\n"
      ")\n",
      "68 - Percentage of workers");
  EXPECT_EQ(sentence.words[0].deprel, "root");
  EXPECT_EQ(sentence.words[0].head, 0);
  EXPECT_EQ(sentence.words[2].deprel, "appos");
  EXPECT_EQ(sentence.words[2].head, 1);
  EXPECT_EQ(sentence.words[1].head, 3);

  // Without the dash the figure stays the noun's number.
  UdSentence counted = from_velmo(
      "(\n"
      "1\t(68\t~ Num\t2\tnum\t(gov worker))\n"
      "2\t(workers\tworker N\t*\t)\n"
      ")\n",
      "68 workers");
  EXPECT_EQ(counted.words[1].head, 0);
  EXPECT_EQ(counted.words[0].deprel, "nummod");
}

TEST(SchemeToUd, ANameOpeningALineWithoutVerbHeadsIt) {
  // Marie Heard Senior Legal Specialist: a signature, which the parse read
  // as one compound.
  UdSentence signature = from_velmo(
      "(\n"
      "1\t(\"Marie Heard\"\t~ N\t5\tnn\t(gov specialist))\n"
      "2\t(Heard\t U\t1\tlex-mod\t(gov \"Marie Heard\"))\n"
      "3\t(Senior\t~ A\t4\tmod\t(gov legal))\n"
      "4\t(Legal\t~ N\t5\tnn\t(gov specialist))\n"
      "5\t(Specialist\t~ N\t*\t)\n"
      ")\n",
      "Marie Heard Senior Legal Specialist");
  EXPECT_EQ(attachments(signature), "0:root 1:flat 4:amod 5:compound 1:list ");
  // With a verb the line is a sentence, headed by its verb.
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(\"Marie Heard\"\t~ N\t3\tnn\t(gov specialist))\n"
      "2\t(Heard\t U\t1\tlex-mod\t(gov \"Marie Heard\"))\n"
      "3\t(Specialist\t~ N\t4\ts\t(gov leave))\n"
      "4\t(left\tleave V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Marie Heard Specialist left");
  EXPECT_NE(sentence.words[0].deprel, "root");
  EXPECT_NE(sentence.words[2].deprel, "list");
  EXPECT_EQ(sentence.words[3].deprel, "root");
}

TEST(SchemeToUd, HowAboutOpeningALineWithoutVerbHeadsIt) {
  UdSentence sentence = from_velmo(
      "(\n"
      "1\t(How\t~ Adv\t3\tmod\t(gov Friday))\n"
      "2\t(about\t~ Adv\t3\tmod\t(gov Friday))\n"
      "3\t(Friday\t~ N\t*\t)\n"
      ")\n",
      "How about Friday");
  EXPECT_EQ(sentence.words[0].deprel, "root");
  EXPECT_EQ(sentence.words[2].deprel, "obl");
  EXPECT_EQ(sentence.words[2].head, 1);
  // With a verb the line keeps its clause (How about you come?).
  UdSentence clause = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(How\t~ Adv\t4\tmod\t(gov come))\n"
      "2\t(about\t~ Adv\t4\tmod\t(gov come))\n"
      "3\t(you\t~ N\t4\ts\t(gov come))\n"
      "4\t(come\t~ V\tE0\ti\t(gov fin))\n"
      ")\n",
      "How about you come");
  EXPECT_EQ(clause.words[3].deprel, "root");
}

TEST(SchemeToUd, ThatTakenAsTheObjectOfAVerbWithAContentClauseIsItsComplementiser) {
  // Ann says that , on Monday , traders filed: "that" read as the
  // object of "says", the clause as its complement.
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t2\ts\t(gov say))\n"
      "2\t(says\tsay V\tE0\ti\t(gov fin))\n"
      "3\t(that\t~ N\t2\tobj\t(gov say))\n"
      "E1\t(()\tfin C\t2\tcomp\t(gov say))\n"
      "4\t(,\t~ Punc\t9\tpunc\t(gov file))\n"
      "5\t(on\t~ Prep\t9\tmod\t(gov file))\n"
      "6\t(Monday\t~ N\t5\tpcomp\t(gov on))\n"
      "7\t(,\t~ Punc\t9\tpunc\t(gov file))\n"
      "8\t(traders\ttrader N\t9\ts\t(gov file))\n"
      "9\t(filed\tfile V\tE1\ti\t(gov fin))\n"
      ")\n",
      "Ann says that , on Monday , traders filed");
  EXPECT_EQ(sentence.words[2].deprel, "mark");
  EXPECT_EQ(sentence.words[2].head, 9);
  EXPECT_EQ(sentence.words[2].upos, "SCONJ");
  EXPECT_EQ(sentence.words[8].deprel, "ccomp");
}

TEST(SchemeToUd, APronounAfterCauseIsTheRecipient) {
  auto pronoun_after = [](const std::string& verb, const std::string& root) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(It\t~ N\t2\ts\t(gov " + root + "))\n"
        "2\t(" + verb + "\t" + root + " V\tE0\ti\t(gov fin))\n"
        "3\t(them\t~ N\t2\tobj\t(gov " + root + "))\n"
        ")\n",
        "It " + verb + " them");
    return sentence.words[2].deprel;
  };
  EXPECT_EQ(pronoun_after("caused", "cause"), "iobj");
  EXPECT_EQ(pronoun_after("hit", "hit"), "obj");
}

TEST(SchemeToUd, ThatTakenAsAFirstObjectBesidesAnotherIsTheComplementiser) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(the\t~ Det\t2\tdet\t(gov fact))\n"
      "2\t(fact\t~ N\tE1\t)\n"
      "E0\t(()\tfin C\t2\trel\t(gov fact))\n"
      "3\t(that\t~ N\t5\tobj\t(gov give))\n"
      "4\t(he\t~ N\t5\ts\t(gov give))\n"
      "5\t(gave\tgive V\tE0\ti\t(gov fin))\n"
      "6\t(them\t~ N\t5\tobj2\t(gov give))\n"
      "7\t(money\t~ N\t5\tobj\t(gov give))\n"
      ")\n",
      "the fact that he gave them money");
  EXPECT_EQ(sentence.words[2].deprel, "mark");
  EXPECT_EQ(sentence.words[2].upos, "SCONJ");
  EXPECT_EQ(sentence.words[4].deprel, "acl");
}

TEST(SchemeToUd, ALittleMeasuringAnAdjectiveIsOblique) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov be))\n"
      "2\t(was\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(a\t~ Det\t4\tdet\t(gov little))\n"
      "4\t(little\t~ Adv\t5\tmod\t(gov dumpy))\n"
      "5\t(dumpy\t~ A\t2\tpred\t(gov be))\n"
      ")\n",
      "It was a little dumpy");
  EXPECT_EQ(attachments(sentence), "5:nsubj 5:cop 4:det 5:obl:unmarked 0:root ");
}

// The phrase of "several" (which the treebank has as an adjective) is
// oblique; the phrase of "most" or of a noun stays a nominal modifier.
TEST(SchemeToUd, ThePhraseOfSeveralIsOblique) {
  auto attachments_under = [](const std::string& word) {
    return attachments(from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(We\t~ N\t2\ts\t(gov try))\n"
        "2\t(tried\ttry V\tE0\ti\t(gov fin))\n"
        "3\t(" + word + "\t~ N\t2\tobj\t(gov try))\n"
        "4\t(of\t~ Prep\t3\tmod\t(gov " + word + "))\n"
        "5\t(the\t~ Det\t6\tdet\t(gov shop))\n"
        "6\t(shops\tshop N\t4\tpcomp\t(gov of))\n"
        ")\n",
        "We tried " + word + " of the shops"));
  };
  EXPECT_EQ(attachments_under("several"), "2:nsubj 0:root 2:obj 6:case 6:det 3:obl ");
  EXPECT_EQ(attachments_under("Several"), "2:nsubj 0:root 2:obj 6:case 6:det 3:obl ");
  EXPECT_EQ(attachments_under("most"), "2:nsubj 0:root 2:obj 6:case 6:det 3:nmod ");
  EXPECT_EQ(attachments_under("some"), "2:nsubj 0:root 2:obj 6:case 6:det 3:nmod ");
}

TEST(SchemeToUd, UpBeforeANounAfterItsVerbIsAParticle) {
  auto attachments_after = [](const std::string& verb, const std::string& root) {
    return attachments(from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(" + verb + "\t" + root + " V\tE0\ti\t(gov fin))\n"
        "2\t(up\t~ Prep\t1\tmod\t(gov " + root + "))\n"
        "3\t(the\t~ Det\t4\tdet\t(gov deal))\n"
        "4\t(deal\t~ N\t2\tpcomp\t(gov up))\n"
        ")\n",
        verb + " up the deal"));
  };
  EXPECT_EQ(attachments_after("wrap", "wrap"), "0:root 1:compound:prt 4:det 1:obj ");
  UdSentence out = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(knock\t~ V\tE0\ti\t(gov fin))\n"
      "2\t(out\t~ Prep\t1\tmod\t(gov knock))\n"
      "3\t(boxers\tboxer N\t2\tpcomp\t(gov out))\n"
      ")\n",
      "knock out boxers");
  EXPECT_EQ(attachments(out), "0:root 1:compound:prt 1:obj ");
  UdSentence out_of = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(get\t~ V\tE0\ti\t(gov fin))\n"
      "2\t(out\t~ Prep\t1\tmod\t(gov get))\n"
      "3\t(of\t~ Prep\t2\tpcomp\t(gov out))\n"
      "4\t(town\t~ N\t3\tpcomp\t(gov of))\n"
      ")\n",
      "get out of town");
  EXPECT_NE(attachments(out_of).find("1:obl"), std::string::npos);
  // After a verb of motion it stays a preposition.
  EXPECT_EQ(attachments_after("walk", "walk"), "0:root 4:case 4:det 1:obl ");
}

TEST(SchemeToUd, AWordAfterAVerbThatTheTreebankHasAsItsParticleIsAParticle) {
  auto relation_after = [](const std::string& verb, const std::string& root, const std::string& word,
                           const std::string& category) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(We\t~ N\t2\ts\t(gov " + root + "))\n"
        "2\t(" + verb + "\t" + root + " V\tE0\ti\t(gov fin))\n"
        "3\t(" + word + "\t~ " + category + "\t2\tmod\t(gov " + root + "))\n"
        ")\n",
        "We " + verb + " " + word);
    return sentence.words[2].deprel;
  };
  // Bare "in" is an adverb (came in) unless the verb takes it (checked in).
  EXPECT_EQ(relation_after("checked", "check", "in", "Prep"), "compound:prt");
  EXPECT_EQ(relation_after("came", "come", "in", "Prep"), "advmod");
  // The verb's lemma decides, not its form; an adverb reading counts too.
  EXPECT_EQ(relation_after("Showed", "show", "up", "Adv"), "compound:prt");
  EXPECT_EQ(relation_after("went", "go", "on", "Adv"), "compound:prt");
  EXPECT_EQ(relation_after("went", "go", "home", "Adv"), "advmod");
}

TEST(SchemeToUd, AWordAfterAVerbThatTheTreebankHasAsItsAdverbIsAnAdverb) {
  auto relation_after = [](const std::string& verb, const std::string& root, const std::string& word) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(We\t~ N\t2\ts\t(gov " + root + "))\n"
        "2\t(" + verb + "\t" + root + " V\tE0\ti\t(gov fin))\n"
        "3\t(" + word + "\t~ Prep\t2\tmod\t(gov " + root + "))\n"
        ")\n",
        "We " + verb + " " + word);
    return sentence.words[2].deprel;
  };
  EXPECT_EQ(relation_after("came", "come", "out"), "advmod");
  EXPECT_EQ(relation_after("gave", "give", "out"), "compound:prt");
  // The same for the second word of a verb item.
  auto item = [](const std::string& verb, const std::string& root) {
    return attachments(from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(We\t~ N\t2\ts\t(gov \"" + root + " out\"))\n"
        "2\t(\"" + verb + " out\"\t\"" + root + " out\" V\tE0\ti\t(gov fin))\n"
        "3\t(out\t U\t2\tlex-mod\t(gov \"" + root + " out\"))\n"
        ")\n",
        "We " + verb + " out"));
  };
  EXPECT_EQ(item("walked", "walk"), "2:nsubj 0:root 2:advmod ");
  EXPECT_EQ(item("found", "find"), "2:nsubj 0:root 2:compound:prt ");
}

TEST(SchemeToUd, AListedParticleBeforeANounIsTheVerbsParticleAndTheNounItsObject) {
  auto attachments_of = [](const std::string& verb, const std::string& word) {
    return attachments(from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(" + verb + "\t~ V\tE0\ti\t(gov fin))\n"
        "2\t(" + word + "\t~ Prep\t1\tmod\t(gov " + verb + "))\n"
        "3\t(the\t~ Det\t4\tdet\t(gov power))\n"
        "4\t(power\t~ N\t2\tpcomp\t(gov " + word + "))\n"
        ")\n",
        verb + " " + word + " the power"));
  };
  EXPECT_EQ(attachments_of("cut", "off"), "0:root 1:compound:prt 4:det 1:obj ");
  // Not a pair the treebank has before an object: the noun's preposition.
  EXPECT_EQ(attachments_of("cut", "through"), "0:root 4:case 4:det 1:obl ");
  EXPECT_EQ(attachments_of("get", "off"), "0:root 4:case 4:det 1:obl ");
}

TEST(SchemeToUd, ASentenceWithoutTreeIsStillValid) {
  UdSentence sentence = from_velmo("(\n)\n", "\"Hi there.\"");
  EXPECT_EQ(attachments(sentence), "2:punct 0:root 2:dep 2:punct 2:punct ");
  EXPECT_EQ(sentence.words[1].upos, "X");
}

TEST(SchemeToUd, ContractionsBecomeMultiwordTokens) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t4\ts\t(gov know))\n"
      "2\t(do\t~ VB\t4\taux\t(gov know))\n"
      "3\t(n't\t~ Adv\t4\tmod\t(gov know))\n"
      "4\t(know\t~ V\tE1\ti\t(gov fin))\n"
      ")\n",
      "I don't know.");
  ASSERT_EQ(sentence.multiwords.size(), 1u);
  EXPECT_EQ(sentence.multiwords[0].first, 2);
  EXPECT_EQ(sentence.multiwords[0].last, 3);
  EXPECT_EQ(sentence.multiwords[0].form, "don't");
  EXPECT_EQ(attachments(sentence), "4:nsubj 4:aux 4:advmod 0:root 4:punct ");
  EXPECT_EQ(sentence.words[2].upos, "PART");
  EXPECT_EQ(sentence.words[3].misc, "SpaceAfter=No|Rel=i|Cat=V");
}

TEST(SchemeToUd, PunctuationWithoutNodesFollowsUdRules) {
  // Ann (the boss), Bob and Cy came - really.
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t10\ts\t(gov come))\n"
      "3\t(the\t~ Det\t4\tdet\t(gov boss))\n"
      "4\t(boss\t~ N\t1\tappo\t(gov Ann))\n"
      "7\t(Bob\t~ N\t1\tconj\t(gov Ann))\n"
      "8\t(and\t~ Conn\t9\tcc\t(gov Cy))\n"
      "9\t(Cy\t~ N\t1\tconj\t(gov Ann))\n"
      "10\t(came\tcome V\tE1\ti\t(gov fin))\n"
      "12\t(really\t~ Adv\t10\tmod\t(gov come))\n"
      ")\n",
      "Ann (the boss), Bob and Cy came - really.");
  EXPECT_EQ(sentence.words[1].form, "(");
  EXPECT_EQ(sentence.words[1].head, 4);  // the bracket pair goes to its phrase
  EXPECT_EQ(sentence.words[4].head, 4);
  EXPECT_EQ(sentence.words[5].head, 7);    // the comma before a conjunct goes to it
  EXPECT_EQ(sentence.words[10].head, 12);  // the dash before an adjunct goes to it
  EXPECT_EQ(sentence.words[12].head, 10);  // the final full stop goes to the root
  EXPECT_EQ(sentence.words[12].deprel, "punct");
}

TEST(SchemeToUd, PunctuationIsPlacedByTheTreeNotByTheParse) {
  // When she left, Ann said 'yes', and Bob smiled.
  // The parse hangs every mark from "said"; the conversion places them anew.
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(When\t~ C\t6\tmod\t(gov say))\n"
      "2\t(she\t~ N\t3\ts\t(gov leave))\n"
      "3\t(left\tleave V\t1\ti\t(gov when))\n"
      "4\t(,\t~ Punc\t6\tpunc\t(gov say))\n"
      "5\t(Ann\t~ N\t6\ts\t(gov say))\n"
      "6\t(said\tsay V\tE1\ti\t(gov fin))\n"
      "7\t('\t~ Punc\t6\tpunc\t(gov say))\n"
      "8\t(yes\t~ Intj\t6\tobj\t(gov say))\n"
      "9\t('\t~ Punc\t6\tpunc\t(gov say))\n"
      "10\t(,\t~ Punc\t6\tpunc\t(gov say))\n"
      "11\t(and\t~ Conn\t13\tcc\t(gov smile))\n"
      "12\t(Bob\t~ N\t13\ts\t(gov smile))\n"
      "13\t(smiled\tsmile V\t6\tconj\t(gov say))\n"
      "14\t(.\t~ Punc\t13\tpunc\t(gov smile))\n"
      ")\n",
      "When she left, Ann said 'yes', and Bob smiled.");
  ASSERT_EQ(sentence.words.size(), 14u);
  EXPECT_EQ(sentence.words[3].head, 3);  // the comma closing a fronted clause goes to its head
  EXPECT_EQ(sentence.words[6].head, 8);  // quotes go to what they enclose
  EXPECT_EQ(sentence.words[8].head, 8);
  EXPECT_EQ(sentence.words[9].head, 13);  // the comma before a conjunct goes to it
  EXPECT_EQ(sentence.words[13].head, 6);  // the final full stop goes to the root
  for (int p : {3, 6, 8, 9, 13}) EXPECT_EQ(sentence.words[p].deprel, "punct") << p;
}

TEST(SchemeToUd, BracketsAroundSeveralPiecesGoToTheHighestWordInside) {
  // The parse hangs "too" from the first verb, so the words inside the
  // marks are no single phrase: both marks go to "came", the word inside
  // nearest the root, not one to "came" and the other to the root.
  auto convert = [](const std::string& verb, const std::string& root, const std::string& text) {
    return from_velmo(
        "(\n"
        "E1\t(()\tfin C\t*\t)\n"
        "1\t(Ann\t~ N\t2\ts\t(gov " + root + "))\n"
        "2\t(" + verb + "\t" + root + " V\tE1\ti\t(gov fin))\n"
        "4\t(Bob\t~ N\t5\ts\t(gov come))\n"
        "5\t(came\tcome V\t2\tpara\t(gov " + root + "))\n"
        "6\t(too\t~ Adv\t2\tmod\t(gov " + root + "))\n"
        ")\n",
        text);
  };
  UdSentence sentence = convert("left", "leave", "Ann left (Bob came too).");
  ASSERT_EQ(sentence.words.size(), 8u);
  EXPECT_EQ(sentence.words[2].head, 5);
  EXPECT_EQ(sentence.words[6].head, 5);
  EXPECT_EQ(sentence.words[7].head, 2);  // the full stop after them goes to the root
  // Quotes around pieces alike: Ann said " Bob came too " .
  UdSentence quoted = convert("said", "say", "Ann said \"Bob came too\".");
  ASSERT_EQ(quoted.words.size(), 8u);
  EXPECT_EQ(quoted.words[2].head, 5);
  EXPECT_EQ(quoted.words[6].head, 5);
  // So does the last mark inside them: Ann left (Bob came too?).
  UdSentence asked = convert("left", "leave", "Ann left (Bob came too?).");
  ASSERT_EQ(asked.words.size(), 9u);
  EXPECT_EQ(asked.words[6].head, 5);
  EXPECT_EQ(asked.words[8].head, 2);
}

TEST(SchemeToUd, TheFinalMarkAfterThePredicateOfBecomeGoesToThePredicate) {
  auto final_mark = [](const std::string& verb, const std::string& root, const std::string& rest,
                       const std::string& predicate = "clear\t~ A") {
    const std::string word = predicate.substr(0, predicate.find('\t'));
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(It\t~ N\t2\ts\t(gov " + root + "))\n"
        "2\t(" + verb + "\t" + root + " V\tE0\ti\t(gov fin))\n"
        "3\t(" + predicate + "\t2\tobj\t(gov " + root + "))\n" + rest +
        ")\n",
        "It " + verb + " " + word + (rest.empty() ? "" : " later") + ".");
    return sentence.words.back().head;
  };
  EXPECT_EQ(final_mark("became", "become", ""), 3);
  EXPECT_EQ(final_mark("remained", "remain", ""), 3);
  EXPECT_EQ(final_mark("remained", "remain", "", "chairman\t~ N"), 3);
  // Not when the predicate is no adjective or noun (It remained 5.).
  EXPECT_EQ(final_mark("remained", "remain", "", "5\t~ Num"), 2);
  // Not after another verb, nor when the verb has words after its predicate.
  EXPECT_EQ(final_mark("made", "make", ""), 2);
  EXPECT_EQ(final_mark("became", "become", "4\t(later\t~ Adv\t2\tmod\t(gov become))\n"), 2);
}

TEST(SchemeToUd, TheLastMarkInsideQuotesGoesToWhatTheyEnclose) {
  // Ann said "we won." (the full stop belongs to the quoted clause).
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t2\ts\t(gov say))\n"
      "2\t(said\tsay V\tE1\ti\t(gov fin))\n"
      "E2\t(()\tfin C\t2\tcomp\t(gov say))\n"
      "4\t(we\t~ N\t5\ts\t(gov win))\n"
      "5\t(won\twin V\tE2\ti\t(gov fin))\n"
      ")\n",
      "Ann said \"we won.\"");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 5:punct 5:nsubj 2:ccomp 5:punct 5:punct ");
}

TEST(SchemeToUd, ASmileyIsADiscourseSymbolPlacedLikePunctuation) {
  // With or without a node of its own, the smiley closing a clause hangs
  // from the clause's head.
  for (const char* smiley_node : {"3\t(:)\t~ Punc\t1\tpunc\t(gov see))\n", ""}) {
    UdSentence sentence = from_velmo(std::string("(\n"
                                                 "E1\t(()\tfin C\t*\t)\n"
                                                 "1\t(See\tsee V\tE1\ti\t(gov fin))\n"
                                                 "2\t(you\t~ N\t1\tobj\t(gov see))\n") +
                                         smiley_node + ")\n",
                                     "See you :)");
    EXPECT_EQ(attachments(sentence), "0:root 1:obj 1:discourse ") << smiley_node;
    EXPECT_EQ(sentence.words[2].upos, "SYM");
  }
}

TEST(SchemeToUd, ANumberRightAfterItsNounNamesItUnlessItIsMoneyOrAYear) {
  auto relation_of_number = [](const std::string& noun, const std::string& number = "7") {
    UdSentence sentence = from_velmo(
        "(\n"
        "E1\t(()\tfin C\t*\t)\n"
        "1\t(See\tsee V\tE1\ti\t(gov fin))\n"
        "2\t(" +
            noun +
            "\t~ N\t1\tobj\t(gov see))\n"
            "3\t(" +
            number + "\t~ Num\t2\tnum\t(gov " + noun +
            "))\n"
            ")\n",
        "See " + noun + " " + number);
    return std::to_string(sentence.words[2].head) + ":" + sentence.words[2].deprel;
  };
  EXPECT_EQ(relation_of_number("Section"), "2:flat");
  EXPECT_EQ(relation_of_number("number"), "2:flat");
  EXPECT_EQ(relation_of_number("#"), "2:flat");
  EXPECT_EQ(relation_of_number("May", "2000"), "2:nmod:unmarked");
  EXPECT_EQ(relation_of_number("$"), "2:nummod");
}

TEST(SchemeToUd, IncludingAndRegardingWithAnObjectAreCaseMarkers) {
  // Thanks for the note regarding the plan: the object heads, "regarding" is
  // its case marker and the phrase a nominal modifier of "note".
  UdSentence sentence = from_velmo(
      "(\n"
      "1\t(Thanks\t~ N\t*\t)\n"
      "2\t(for\t~ Prep\t1\tmod\t(gov thanks))\n"
      "3\t(the\t~ Det\t4\tdet\t(gov note))\n"
      "4\t(note\t~ N\t2\tpcomp\t(gov for))\n"
      "5\t(regarding\tregard V\t4\tmod\t(gov note))\n"
      "6\t(the\t~ Det\t7\tdet\t(gov plan))\n"
      "7\t(plan\t~ N\t5\tobj\t(gov regard))\n"
      ")\n",
      "Thanks for the note regarding the plan");
  EXPECT_EQ(attachments(sentence), "0:root 4:case 4:det 1:nmod 7:case 7:det 4:nmod ");
  // With a subject of its own the verb keeps its clause.
  UdSentence clause = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t3\ts\t(gov include))\n"
      "2\t(are\t~ VB\t3\taux\t(gov include))\n"
      "3\t(including\tinclude V\tE1\ti\t(gov fin))\n"
      "4\t(it\t~ N\t3\tobj\t(gov include))\n"
      ")\n",
      "We are including it");
  EXPECT_EQ(attachments(clause), "3:nsubj 3:aux 0:root 3:obj ");
}

TEST(SchemeToUd, FollowingBeforeADeterminerIsACaseMarker) {
  // We left following the meeting: the object heads, "following" stays a
  // verb and is its case marker.
  auto following = [](const std::string& relation, const std::string& head) {
    return attachments(from_velmo(
        "(\n"
        "E1\t(()\tfin C\t*\t)\n"
        "1\t(We\t~ N\t2\ts\t(gov leave))\n"
        "2\t(left\tleave V\tE1\ti\t(gov fin))\n"
        "3\t(following\tfollow V\t" + head + "\t" + relation + "\t(gov leave))\n"
        "4\t(the\t~ Det\t5\tdet\t(gov meeting))\n"
        "5\t(meeting\t~ N\t3\tobj\t(gov follow))\n"
        ")\n",
        "We left following the meeting"));
  };
  EXPECT_EQ(following("mod", "2"), "2:nsubj 0:root 5:case 5:det 2:obl ");
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov leave))\n"
      "2\t(left\tleave V\tE1\ti\t(gov fin))\n"
      "3\t(following\tfollow V\t2\tmod\t(gov leave))\n"
      "4\t(the\t~ Det\t5\tdet\t(gov meeting))\n"
      "5\t(meeting\t~ N\t3\tobj\t(gov follow))\n"
      ")\n",
      "We left following the meeting");
  EXPECT_EQ(sentence.words[2].upos, "VERB");
  // Without a determiner right after it, or as a subject, it keeps its clause.
  UdSentence bare = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov leave))\n"
      "2\t(left\tleave V\tE1\ti\t(gov fin))\n"
      "3\t(following\tfollow V\t2\tmod\t(gov leave))\n"
      "4\t(them\t~ N\t3\tobj\t(gov follow))\n"
      ")\n",
      "We left following them");
  EXPECT_EQ(attachments(bare), "2:nsubj 0:root 2:advcl 3:obj ");
  UdSentence subject = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(following\tfollow V\t2\ts\t(gov help))\n"
      "2\t(helps\thelp V\tE1\ti\t(gov fin))\n"
      ")\n",
      "following helps");
  EXPECT_EQ(attachments(subject), "2:csubj 0:root ");
}

TEST(SchemeToUd, GivenWithAnObjectModifyingAClauseIsACaseMarker) {
  // Given the risk we wait: "risk" heads an oblique of "wait", "given" is
  // its case marker.
  UdSentence given = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Given\tgive V\t5\tmod\t(gov wait))\n"
      "2\t(the\t~ Det\t3\tdet\t(gov risk))\n"
      "3\t(risk\t~ N\t1\tobj\t(gov give))\n"
      "4\t(we\t~ N\t5\ts\t(gov wait))\n"
      "5\t(wait\t~ V\tE1\ti\t(gov fin))\n"
      ")\n",
      "Given the risk we wait");
  EXPECT_EQ(attachments(given), "3:case 3:det 5:obl 5:nsubj 0:root ");
  // Under a noun too the phrase is oblique: the best plan given the risk.
  UdSentence noun = from_velmo(
      "(\n"
      "1\t(the\t~ Det\t2\tdet\t(gov plan))\n"
      "2\t(plan\t~ N\t*\t)\n"
      "3\t(given\tgive V\t2\tmod\t(gov plan))\n"
      "4\t(the\t~ Det\t5\tdet\t(gov risk))\n"
      "5\t(risk\t~ N\t3\tobj\t(gov give))\n"
      ")\n",
      "the plan given the risk");
  EXPECT_EQ(attachments(noun), "2:det 0:root 5:case 5:det 2:obl ");
  // With an auxiliary it keeps its clause: they were given the keys.
  UdSentence passive = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(They\t~ N\t3\ts\t(gov give))\n"
      "2\t(were\t~ VB\t3\taux\t(gov give))\n"
      "3\t(given\tgive V\tE1\ti\t(gov fin))\n"
      "4\t(the\t~ Det\t5\tdet\t(gov key))\n"
      "5\t(keys\tkey N\t3\tobj\t(gov give))\n"
      ")\n",
      "They were given the keys");
  EXPECT_EQ(passive.words[4].head, 3);
  EXPECT_EQ(passive.words[4].deprel, "obj");
}

TEST(SchemeToUd, BasedOnAndItsNounAreAnOblique) {
  // We revised it based on the talks: "talks" is an oblique of "revised",
  // with "based" and "on" its case markers.
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov revise))\n"
      "2\t(revised\trevise V\tE1\ti\t(gov fin))\n"
      "3\t(it\t~ N\t2\tobj\t(gov revise))\n"
      "4\t(based\tbase V\t2\tmod\t(gov revise))\n"
      "5\t(on\t~ Prep\t4\tmod\t(gov base))\n"
      "6\t(the\t~ Det\t7\tdet\t(gov talk))\n"
      "7\t(talks\ttalk N\t5\tpcomp\t(gov on))\n"
      ")\n",
      "We revised it based on the talks");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 2:obj 7:case 7:case 7:det 2:obl ");
}

TEST(SchemeToUd, EachOtherIsOnePronounHeadedByEach) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(They\t~ N\t2\ts\t(gov know))\n"
      "2\t(know\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(each\t~ Det\t4\tdet\t(gov other))\n"
      "4\t(other\t~ N\t2\tobj\t(gov know))\n"
      ")\n",
      "They know each other");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 2:obj 3:fixed ");
}

TEST(SchemeToUd, UpToIsTwoCaseMarkersOrBeforeANumberOneAdverb) {
  // We moved up to Florida: "up" and "to" both mark "Florida".
  UdSentence place = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov move))\n"
      "2\t(moved\tmove V\tE0\ti\t(gov fin))\n"
      "3\t(\"up to\"\t~ Prep\t2\tmod\t(gov move))\n"
      "4\t(to\t U\t3\tlex-mod\t(gov \"up to\"))\n"
      "5\t(Florida\t~ N\t3\tpcomp\t(gov \"up to\"))\n"
      ")\n",
      "We moved up to Florida");
  EXPECT_EQ(attachments(place), "2:nsubj 0:root 5:case 5:case 2:obl ");
  // Up to 40 rockets fell: "up to" is one adverb of the number.
  UdSentence number = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(\"Up to\"\t~ Prep\t5\tmod\t(gov fall))\n"
      "2\t(to\t U\t1\tlex-mod\t(gov \"up to\"))\n"
      "3\t(40\t~ Num\t4\tnum\t(gov rocket))\n"
      "4\t(rockets\trocket N\t1\tpcomp\t(gov \"up to\"))\n"
      "5\t(fell\tfall V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Up to 40 rockets fell");
  EXPECT_EQ(number.words[0].head, 3);
  EXPECT_EQ(number.words[0].deprel, "advmod");
  EXPECT_EQ(number.words[1].head, 1);
  EXPECT_EQ(number.words[1].deprel, "fixed");
}

TEST(SchemeToUd, MoreThanBeforeANumberIsOneAdverbOfIt) {
  auto spent = [](const std::string& amount) {
    return attachments(from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(We\t~ N\t2\ts\t(gov spend))\n"
        "2\t(spent\tspend V\tE0\ti\t(gov fin))\n"
        "3\t(more\t~ Adv\t4\tmod\t(gov than))\n"
        "4\t(than\t~ Prep\t2\tmod\t(gov spend))\n"
        "5\t(" + amount + "\t~ N\t4\tpcomp\t(gov than))\n"
        ")\n",
        "We spent more than " + amount));
  };
  // More than 200: "than" is the fixed part of "more".
  EXPECT_EQ(spent("200"), "2:nsubj 0:root 5:advmod 3:fixed 2:obl:unmarked ");
  // Before a word it stays the word's case marker (more than usual).
  EXPECT_EQ(spent("usual"), "2:nsubj 0:root 5:advmod 5:case 2:obl ");
}

TEST(SchemeToUd, AParticleReadAsAnAdverbIsTheVerbsParticleAndAnAdposition) {
  // Mike fleshed out the details: "out", read as an adverb of the object
  // right after the verb, is the verb's particle.
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Mike\t~ N\t2\ts\t(gov flesh))\n"
      "2\t(fleshed\tflesh V\tE1\ti\t(gov fin))\n"
      "3\t(out\t~ Adv\t5\tmod\t(gov detail))\n"
      "4\t(the\t~ Det\t5\tdet\t(gov detail))\n"
      "5\t(details\tdetail N\t2\tobj\t(gov flesh))\n"
      ")\n",
      "Mike fleshed out the details");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 2:compound:prt 5:det 2:obj ");
  EXPECT_EQ(sentence.words[2].upos, "ADP");
  // A bare adverb "off" after its verb is its particle too (call it off).
  UdSentence bare = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov call))\n"
      "2\t(called\tcall V\tE1\ti\t(gov fin))\n"
      "3\t(off\t~ Adv\t2\tmod\t(gov call))\n"
      ")\n",
      "We called off");
  EXPECT_EQ(attachments(bare), "2:nsubj 0:root 2:compound:prt ");
  EXPECT_EQ(bare.words[2].upos, "ADP");
}

TEST(SchemeToUd, AWordWithoutNodeTakesThePartOfSpeechOfItsForm) {
  // The pieces of "cannot" and "and/or" that no node stands for.
  UdSentence negation = from_velmo(
      "> (\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t3\ts\t(gov go))\n"
      "2\t(cannot\t~ VB\t3\taux\t(gov go))\n"
      "3\t(go\tgo V\tE1\ti\t(gov fin))\n"
      ")\n",
      "Ann cannot go.");
  EXPECT_EQ(negation.words[2].upos, "PART");
  UdSentence conjunction = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t4\ts\t(gov leave))\n"
      "2\t(and/or\t~ Conn\t3\tcc\t(gov bob))\n"
      "3\t(Bob\t~ N\t1\tconj\t(gov ann))\n"
      "4\t(left\tleave V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Ann and/or Bob left");
  EXPECT_EQ(conjunction.words[3].upos, "CCONJ");
}

TEST(SchemeToUd, ADeterminerIsDetAndASubjectIsNoSubordinator) {
  // "such" before the determiner of its noun is det:predet and a DET.
  UdSentence such = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov be))\n"
      "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(such\t~ A\t5\tmod\t(gov mess))\n"
      "4\t(a\t~ Det\t5\tdet\t(gov mess))\n"
      "5\t(mess\t~ N\t2\tpred\t(gov be))\n"
      ")\n",
      "It is such a mess");
  EXPECT_EQ(such.words[2].deprel, "det:predet");
  EXPECT_EQ(such.words[2].upos, "DET");
  // So is the adverb "quite" there (quite a bit); before an adjective it
  // stays an adverb.
  UdSentence quite = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov take))\n"
      "2\t(took\ttake V\tE0\ti\t(gov fin))\n"
      "3\t(quite\t~ Adv\t5\tmod\t(gov bit))\n"
      "4\t(a\t~ Det\t5\tdet\t(gov bit))\n"
      "5\t(bit\t~ N\t2\tobj\t(gov take))\n"
      ")\n",
      "It took quite a bit");
  EXPECT_EQ(quite.words[2].deprel, "det:predet");
  EXPECT_EQ(quite.words[2].upos, "DET");
  UdSentence quite_good = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov be))\n"
      "2\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(quite\t~ Adv\t4\tmod\t(gov good))\n"
      "4\t(good\t~ A\t2\tpred\t(gov be))\n"
      ")\n",
      "It is quite good");
  EXPECT_EQ(quite_good.words[2].deprel, "advmod");
  EXPECT_EQ(quite_good.words[2].upos, "ADV");
  // "that" read as a complementiser but made the subject of its clause (a
  // fight that left one dead) is a relative pronoun.
  UdSentence that = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov see))\n"
      "2\t(saw\tsee V\tE0\ti\t(gov fin))\n"
      "3\t(a\t~ Det\t4\tdet\t(gov fight))\n"
      "4\t(fight\t~ N\t2\tobj\t(gov see))\n"
      "5\t(that\t~ C\t2\tcomp\t(gov see))\n"
      "6\t(left\tleave V\t5\ti\t(gov that))\n"
      "7\t(one\t~ N\t6\tobj\t(gov leave))\n"
      ")\n",
      "We saw a fight that left one");
  EXPECT_EQ(that.words[4].deprel, "nsubj");
  EXPECT_EQ(that.words[4].upos, "PRON");
}

TEST(SchemeToUd, OneStandingForANounPhraseIsANumber) {
  auto upos_of_one = [](const std::string& determiner) {
    const bool with = !determiner.empty();
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(We\t~ N\t2\ts\t(gov get))\n"
        "2\t(got\tget V\tE0\ti\t(gov fin))\n" +
            (with ? "3\t(" + determiner + "\t~ Det\t4\tdet\t(gov one))\n" : std::string()) +
            (with ? "4" : "3") + "\t(one\t~ N\t2\tobj\t(gov get))\n" + ")\n",
        "We got " + (with ? determiner + " " : std::string()) + "one");
    return sentence.words.back().upos;
  };
  EXPECT_EQ(upos_of_one(""), "NUM");
  EXPECT_EQ(upos_of_one("the"), "NOUN");
}

TEST(SchemeToUd, ForAndItsNounBeforeAnInfinitiveOpenItsClause) {
  // Keep it open for air to circulate: the parse took "for air" as an
  // adjunct beside the infinitive; "for" marks "circulate" and "air" is its
  // subject.
  auto open_for = [](const std::string& noun) {
    return attachments(from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(Keep\t~ V\tE0\ti\t(gov fin))\n"
        "2\t(it\t~ N\t1\tobj\t(gov keep))\n"
        "3\t(open\t~ A\t1\tpred\t(gov keep))\n"
        "4\t(for\t~ Prep\t1\tmod\t(gov keep))\n"
        "5\t(" + noun + "\t~ N\t4\tpcomp\t(gov for))\n"
        "6\t(to\t~ VB\t7\taux\t(gov circulate))\n"
        "7\t(circulate\t~ V\t1\tmod\t(gov keep))\n"
        ")\n",
        "Keep it open for " + noun + " to circulate"));
  };
  EXPECT_EQ(open_for("air"), "0:root 1:obj 1:xcomp 7:mark 7:nsubj 7:mark 1:advcl ");
  // A span of time keeps its preposition (open for hours to circulate).
  EXPECT_EQ(open_for("hours"), "0:root 1:obj 1:xcomp 5:case 1:obl 7:mark 1:advcl ");
}

TEST(SchemeToUd, BothAsAConjunctionAndALittleAsAnObliqueTakeTheirTreebankPartOfSpeech) {
  UdSentence both = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Both\t~ Det\t2\tdet\t(gov Ann))\n"
      "2\t(Ann\t~ N\t5\ts\t(gov leave))\n"
      "3\t(and\t~ Conn\t4\tcc\t(gov Bob))\n"
      "4\t(Bob\t~ N\t2\tconj\t(gov Ann))\n"
      "5\t(left\tleave V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Both Ann and Bob left");
  EXPECT_EQ(both.words[0].deprel, "cc");
  EXPECT_EQ(both.words[0].upos, "CCONJ");
  UdSentence little = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov wait))\n"
      "2\t(waited\twait V\tE0\ti\t(gov fin))\n"
      "3\t(a\t~ Det\t4\tdet\t(gov little))\n"
      "4\t(little\t~ Adv\t2\tmod\t(gov wait))\n"
      ")\n",
      "We waited a little");
  EXPECT_EQ(little.words[3].deprel, "obl:unmarked");
  EXPECT_EQ(little.words[3].upos, "ADJ");
}

TEST(SchemeToUd, AModalStandingForItsElidedVerbIsAnAuxiliary) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov think))\n"
      "2\t(think\t~ V\tE1\ti\t(gov fin))\n"
      "E0\t(()\tfin C\t2\tcomp\t(gov think))\n"
      "3\t(I\t~ N\t4\ts\t(gov can))\n"
      "4\t(can\t~ V\tE0\ti\t(gov fin))\n"
      ")\n",
      "I think I can");
  EXPECT_EQ(sentence.words[3].deprel, "ccomp");
  EXPECT_EQ(sentence.words[3].upos, "AUX");
  EXPECT_EQ(sentence.words[1].upos, "VERB");
}

TEST(SchemeToUd, AnInfinitiveAfterAnAdjectiveOfDegreeOrFeelingIsAnAdverbialClause) {
  auto infinitive_relation = [](const std::string& adverb, const std::string& adjective) {
    std::string line = "We are " + (adverb.empty() ? "" : adverb + " ") + adjective + " to go";
    int a = adverb.empty() ? 3 : 4;
    std::string at = std::to_string(a);
    UdSentence sentence = from_velmo(
        "(\n"
        "E1\t(()\tfin C\t*\t)\n"
        "1\t(We\t~ N\t2\ts\t(gov be))\n"
        "2\t(are\tbe VBE\tE1\ti\t(gov fin))\n" +
            (adverb.empty() ? "" : "3\t(" + adverb + "\t~ Adv\t4\tmod\t(gov " + adjective + "))\n") + at + "\t(" +
            adjective + "\t~ A\t2\tpred\t(gov be))\n" + std::to_string(a + 1) + "\t(to\t~ VB\t" +
            std::to_string(a + 2) + "\taux\t(gov go))\n" + std::to_string(a + 2) + "\t(go\t~ V\t" + at +
            "\tcomp\t(gov " + adjective + "))\n" + ")\n",
        line);
    return sentence.words.back().deprel;
  };
  EXPECT_EQ(infinitive_relation("", "able"), "xcomp");
  EXPECT_EQ(infinitive_relation("too", "late"), "advcl");
  EXPECT_EQ(infinitive_relation("", "free"), "advcl");
  EXPECT_EQ(infinitive_relation("", "delighted"), "advcl");
  EXPECT_EQ(infinitive_relation("", "hard"), "ccomp");
}

TEST(SchemeToUd, ObjectsThatArePredicatesAreOpenComplements) {
  // They call him Bob: the named object stays obj, the name is xcomp.
  UdSentence naming = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(They\t~ N\t2\ts\t(gov call))\n"
      "2\t(call\t~ V\tE1\ti\t(gov fin))\n"
      "3\t(him\t~ N\t2\tobj2\t(gov call))\n"
      "4\t(Bob\t~ N\t2\tobj\t(gov call))\n"
      ")\n",
      "They call him Bob");
  EXPECT_EQ(attachments(naming), "2:nsubj 0:root 2:obj 2:xcomp ");
  // Ann became a member: the noun after become is its predicate.
  UdSentence becoming = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t2\ts\t(gov become))\n"
      "2\t(became\tbecome V\tE1\ti\t(gov fin))\n"
      "3\t(a\t~ Det\t4\tdet\t(gov member))\n"
      "4\t(member\t~ N\t2\tobj\t(gov become))\n"
      ")\n",
      "Ann became a member");
  EXPECT_EQ(attachments(becoming), "2:nsubj 0:root 4:det 2:xcomp ");
  // A book called Dune: the only object of the participle is its name; a
  // finite "called" keeps its object (Ann called Bob).
  UdSentence participle = from_velmo(
      "(\n"
      "1\t(book\t~ N\t*\t)\n"
      "2\t(called\tcall V\t1\tmod\t(gov book))\n"
      "3\t(Dune\t~ N\t2\tobj\t(gov call))\n"
      ")\n",
      "book called Dune");
  EXPECT_EQ(attachments(participle), "0:root 1:acl 2:xcomp ");
  UdSentence finite = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t2\ts\t(gov call))\n"
      "2\t(called\tcall V\tE1\ti\t(gov fin))\n"
      "3\t(Bob\t~ N\t2\tobj\t(gov call))\n"
      ")\n",
      "Ann called Bob");
  EXPECT_EQ(attachments(finite), "2:nsubj 0:root 2:obj ");
}

TEST(SchemeToUd, AnAdjectiveBeforeACompoundModifiesItsHead) {
  auto attachments_of = [](const std::string& modifier) {
    return attachments(
        from_velmo("(\n"
                   "1\t(fresh\t~ A\t2\tmod\t(gov " +
                       modifier +
                       "))\n"
                       "2\t(" +
                       modifier +
                       "\t~ N\t3\tnn\t(gov pie))\n"
                       "3\t(pies\tpie N\t*\t)\n"
                       ")\n",
                   "fresh " + modifier + " pies"));
  };
  EXPECT_EQ(attachments_of("meat"), "3:amod 3:compound 0:root ");
  // A pair the treebank keeps together stays (high school students).
  UdSentence unit = from_velmo(
      "(\n"
      "1\t(high\t~ A\t2\tmod\t(gov school))\n"
      "2\t(school\t~ N\t3\tnn\t(gov student))\n"
      "3\t(students\tstudent N\t*\t)\n"
      ")\n",
      "high school students");
  EXPECT_EQ(attachments(unit), "2:amod 3:compound 0:root ");
  // An adjective in small letters goes over a name too (other Cargill people).
  EXPECT_EQ(attachments_of("Apple"), "3:amod 3:compound 0:root ");
  // A capitalised one before a name stays where it is (New York Times).
  UdSentence capitalised = from_velmo(
      "(\n"
      "1\t(Middle\t~ A\t2\tmod\t(gov East))\n"
      "2\t(East\t~ N\t3\tnn\t(gov history))\n"
      "3\t(history\t~ N\t*\t)\n"
      ")\n",
      "Middle East history");
  EXPECT_EQ(attachments(capitalised), "2:amod 3:compound 0:root ");
}

TEST(SchemeToUd, ANameBeforeTwoCommonNounsHangsFromTheLast) {
  auto attachments_of = [](const std::string& name) {
    return attachments(from_velmo("(\n"
                                  "1\t(the\t~ Det\t4\tdet\t(gov campaign))\n"
                                  "2\t(" + name + "\t~ N\t3\tnn\t(gov senate))\n"
                                  "3\t(senate\t~ N\t4\tnn\t(gov campaign))\n"
                                  "4\t(campaign\t~ N\t*\t)\n"
                                  ")\n",
                                  "the " + name + " senate campaign"));
  };
  EXPECT_EQ(attachments_of("Ohio"), "4:det 4:compound 4:compound 0:root ");
  // Acronyms and days keep the chain (the HR department head, a Friday
  // prayer sermon).
  EXPECT_EQ(attachments_of("HR"), "4:det 3:compound 4:compound 0:root ");
  EXPECT_EQ(attachments_of("Friday"), "4:det 3:compound 4:compound 0:root ");
  // So does a name with words of its own (New York style pizza).
  UdSentence own = from_velmo(
      "(\n"
      "1\t(New\t~ A\t2\tmod\t(gov York))\n"
      "2\t(York\t~ N\t3\tnn\t(gov style))\n"
      "3\t(style\t~ N\t4\tnn\t(gov pizza))\n"
      "4\t(pizza\t~ N\t*\t)\n"
      ")\n",
      "New York style pizza");
  EXPECT_EQ(attachments(own), "2:amod 3:compound 4:compound 0:root ");
}

TEST(SchemeToUd, ABracketedPluralEndingModifiesItsNoun) {
  // Read as a possessive ending: the ending goes under the noun, the
  // brackets under the ending.
  UdSentence possessive = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Send\t~ V\tE0\ti\t(gov fin))\n"
      "2\t(the\t~ Det\t3\tdet\t(gov file))\n"
      "3\t(file\t~ N\t1\tobj\t(gov send))\n"
      "5\t(s\t~ Part\t3\tposs\t(gov file))\n"
      "7\t(to\t~ Prep\t1\tmod\t(gov send))\n"
      "8\t(me\t~ N\t7\tpcomp\t(gov to))\n"
      ")\n",
      "Send the file(s) to me.");
  EXPECT_EQ(attachments(possessive), "0:root 3:det 1:obj 5:punct 3:amod 5:punct 8:case 1:obl 1:punct ");
  // Read as an apposition that took the relative clause after it: the
  // clause goes to the noun.
  UdSentence apposition = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Name\tname V\tE0\ti\t(gov fin))\n"
      "2\t(the\t~ Det\t3\tdet\t(gov person))\n"
      "3\t(person\t~ N\t1\tobj\t(gov name))\n"
      "5\t(s\t~ N\t3\tappo\t(gov person))\n"
      "7\t(who\t~ N\t8\ts\t(gov sign))\n"
      "8\t(signed\tsign V\t5\trel\t(gov s))\n"
      ")\n",
      "Name the person(s) who signed.");
  EXPECT_EQ(attachments(apposition), "0:root 3:det 1:obj 5:punct 3:amod 5:punct 8:nsubj 3:acl:relcl 1:punct ");
  // Set apart from the noun, the bracketed word is left as it was.
  UdSentence apart = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Send\t~ V\tE0\ti\t(gov fin))\n"
      "2\t(the\t~ Det\t3\tdet\t(gov file))\n"
      "3\t(file\t~ N\t1\tobj\t(gov send))\n"
      "5\t(s\t~ N\t3\tappo\t(gov file))\n"
      ")\n",
      "Send the file (s).");
  EXPECT_EQ(attachments(apart), "0:root 3:det 1:obj 5:punct 3:appos 5:punct 1:punct ");
}

TEST(SchemeToUd, ANumberBeforeACompoundCountsItsLastNounUnlessItMakesAMeasure) {
  auto attachments_of = [](const std::string& number, const std::string& modifier) {
    return attachments(
        from_velmo("(\n"
                   "1\t(" + number + "\t~ Num\t2\tnum\t(gov " + modifier + "))\n"
                   "2\t(" + modifier + "\t~ N\t3\tnn\t(gov plate))\n"
                   "3\t(plates\tplate N\t*\t)\n"
                   ")\n",
                   number + " " + modifier + " plates"));
  };
  EXPECT_EQ(attachments_of("two", "dinner"), "3:nummod 3:compound 0:root ");
  EXPECT_EQ(attachments_of("2001", "Nissan"), "3:nummod 3:compound 0:root ");
  // a 10 gallon tank: the number measures the first noun.
  EXPECT_EQ(attachments_of("10", "gallon"), "2:nummod 3:compound 0:root ");
  // two popular cruise lines: past an adjective of the compound part too,
  // but not past a hyphen (a 4 - year degree course).
  auto past = [](const std::string& between) {
    return attachments(from_velmo("(\n"
                                  "1\t(two\t~ Num\t3\tnum\t(gov cruise))\n"
                                  "2\t(" + between + "\t~ A\t3\tmod\t(gov cruise))\n"
                                  "3\t(cruise\t~ N\t4\tnn\t(gov line))\n"
                                  "4\t(lines\tline N\t*\t)\n"
                                  ")\n",
                                  "two " + between + " cruise lines"));
  };
  EXPECT_EQ(past("popular"), "4:nummod 4:amod 4:compound 0:root ");
  EXPECT_EQ(past("-").substr(0, 9), "3:nummod ");
}

TEST(SchemeToUd, AnAdjectiveBeforeALongerCompoundModifiesItsLastNoun) {
  // old shoe sizing machines: through every compound part up to the last noun.
  UdSentence chain = from_velmo(
      "(\n"
      "1\t(old\t~ A\t2\tmod\t(gov shoe))\n"
      "2\t(shoe\t~ N\t3\tnn\t(gov sizing))\n"
      "3\t(sizing\t~ N\t4\tnn\t(gov machine))\n"
      "4\t(machines\tmachine N\t*\t)\n"
      ")\n",
      "old shoe sizing machines");
  EXPECT_EQ(attachments(chain), "4:amod 3:compound 4:compound 0:root ");
  // own self - interest: over a hyphen too.
  UdSentence hyphen = from_velmo(
      "(\n"
      "1\t(own\t~ A\t2\tmod\t(gov self))\n"
      "2\t(self\t~ N\t4\tnn\t(gov interest))\n"
      "3\t(-\t~ Punc\t4\tpunc\t(gov interest))\n"
      "4\t(interest\t~ N\t*\t)\n"
      ")\n",
      "own self - interest");
  EXPECT_EQ(attachments(hyphen).substr(0, 17), "4:amod 4:compound");
  // robust position signoff process: past a compound part of the same noun.
  UdSentence flat_parts = from_velmo(
      "(\n"
      "1\t(robust\t~ A\t2\tmod\t(gov position))\n"
      "2\t(position\t~ N\t4\tnn\t(gov process))\n"
      "3\t(signoff\t~ N\t4\tnn\t(gov process))\n"
      "4\t(process\t~ N\t*\t)\n"
      ")\n",
      "robust position signoff process");
  EXPECT_EQ(attachments(flat_parts), "4:amod 4:compound 4:compound 0:root ");
  // but not into a name (Shiite cleric Muqtada al - Sadr).
  UdSentence name = from_velmo(
      "(\n"
      "1\t(Shiite\t~ A\t2\tmod\t(gov cleric))\n"
      "2\t(cleric\t~ N\t4\tnn\t(gov al))\n"
      "3\t(Muqtada\t~ N\t4\tnn\t(gov al))\n"
      "4\t(al\t~ N\t*\t)\n"
      ")\n",
      "Shiite cleric Muqtada al");
  EXPECT_EQ(attachments(name).substr(0, 7), "2:amod ");
  // A compound part that hangs from a noun further off is left alone.
  UdSentence apart = from_velmo(
      "(\n"
      "1\t(legal\t~ A\t2\tmod\t(gov issue))\n"
      "2\t(issues\tissue N\t5\tnn\t(gov law))\n"
      "3\t(,\t~ Punc\t5\tpunc\t(gov law))\n"
      "4\t(case\t~ N\t5\tnn\t(gov law))\n"
      "5\t(law\t~ N\t*\t)\n"
      ")\n",
      "legal issues , case law");
  EXPECT_EQ(attachments(apart).substr(0, 7), "2:amod ");
}

TEST(SchemeToUd, AnAdjectiveBeforeAnotherAdjectiveOfACompoundPartModifiesItsLastNoun) {
  // covert nuclear weapons program: both adjectives hung from weapons;
  // the first goes over the compound as the nearest one does.
  auto attachments_of = [](const std::string& first, const std::string& between) {
    return attachments(from_velmo("(\n"
                                  "1\t(" + first + "\t~ A\t3\tmod\t(gov weapon))\n"
                                  "2\t(" + between + "\t~ A\t3\tmod\t(gov weapon))\n"
                                  "3\t(weapons\tweapon N\t4\tnn\t(gov program))\n"
                                  "4\t(program\t~ N\t*\t)\n"
                                  ")\n",
                                  first + " " + between + " weapons program"));
  };
  EXPECT_EQ(attachments_of("covert", "nuclear"), "4:amod 4:amod 4:compound 0:root ");
  // and past a pair the treebank keeps together (new chemical weapons program).
  EXPECT_EQ(attachments_of("new", "chemical"), "4:amod 3:amod 4:compound 0:root ");
  // A noun between them keeps the adjective where it is.
  UdSentence noun_between = from_velmo(
      "(\n"
      "1\t(old\t~ A\t3\tmod\t(gov shoe))\n"
      "2\t(man\t~ N\t3\tnn\t(gov shoe))\n"
      "3\t(shoe\t~ N\t4\tnn\t(gov machine))\n"
      "4\t(machines\tmachine N\t*\t)\n"
      ")\n",
      "old man shoe machines");
  EXPECT_EQ(attachments(noun_between).substr(0, 7), "3:amod ");
}

TEST(SchemeToUd, AnInitialOfTwoLettersOpeningANameIsNoPersonsName) {
  // the U.N. Security Council: compounds under Council, not a flat name.
  UdSentence body = from_velmo(
      "(\n"
      "1\t(the\t~ Det\t4\tdet\t(gov Council))\n"
      "2\t(U.N.\t~ N\t3\tnn\t(gov security))\n"
      "3\t(Security\t~ N\t4\tnn\t(gov Council))\n"
      "4\t(Council\t~ N\t*\t)\n"
      ")\n",
      "the U.N. Security Council");
  EXPECT_EQ(attachments(body), "4:det 3:compound 4:compound 0:root ");
}

TEST(SchemeToUd, ANounThatIsTheSubjectOfAPrenominalAdjectiveIsACompoundOfItsNoun) {
  // the US military presence: US hangs from presence, not from military.
  UdSentence country = from_velmo(
      "(\n"
      "1\t(the\t~ Det\t4\tdet\t(gov presence))\n"
      "2\t(US\t~ N\t3\ts\t(gov military))\n"
      "3\t(military\t~ A\t4\tmod\t(gov presence))\n"
      "4\t(presence\t~ N\t*\t)\n"
      ")\n",
      "the US military presence");
  EXPECT_EQ(attachments(country), "4:det 4:compound 4:amod 0:root ");
  // A pronoun before the adjective is left alone (we human beings).
  UdSentence pronoun = from_velmo(
      "(\n"
      "1\t(we\t~ N\t2\ts\t(gov human))\n"
      "2\t(human\t~ A\t3\tmod\t(gov being))\n"
      "3\t(beings\tbeing N\t*\t)\n"
      ")\n",
      "we human beings");
  EXPECT_EQ(attachments(pronoun).substr(0, 8), "2:nsubj ");
}

TEST(SchemeToUd, APrepositionalPhraseAfterBeWithoutPredicateIsThePredicate) {
  // They are all from Ohio: the phrase heads, "are" is its copula.
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(They\t~ N\t2\ts\t(gov be))\n"
      "2\t(are\tbe VBE\tE1\ti\t(gov fin))\n"
      "3\t(all\t~ Adv\t2\tmod\t(gov be))\n"
      "4\t(from\t~ Prep\t2\tmod\t(gov be))\n"
      "5\t(Ohio\t~ N\t4\tpcomp\t(gov from))\n"
      ")\n",
      "They are all from Ohio");
  EXPECT_EQ(attachments(sentence), "5:nsubj 5:cop 5:advmod 5:case 0:root ");
  // Without such a phrase an adverb of place is the predicate (he was there).
  UdSentence place = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(He\t~ N\t2\ts\t(gov be))\n"
      "2\t(was\tbe VBE\tE1\ti\t(gov fin))\n"
      "3\t(there\t~ Adv\t2\tmod\t(gov be))\n"
      ")\n",
      "He was there");
  EXPECT_EQ(attachments(place), "3:nsubj 3:cop 0:root ");
  // An existential keeps its verb as head (there is a cat in the garden).
  UdSentence existential = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(There\t~ N\t2\texpl\t(gov be))\n"
      "2\t(is\tbe VBE\tE1\ti\t(gov fin))\n"
      "3\t(a\t~ Det\t4\tdet\t(gov cat))\n"
      "4\t(cat\t~ N\t2\ts\t(gov be))\n"
      "5\t(in\t~ Prep\t2\tmod\t(gov be))\n"
      "6\t(Ohio\t~ N\t5\tpcomp\t(gov in))\n"
      ")\n",
      "There is a cat in Ohio");
  EXPECT_EQ(attachments(existential), "2:expl 0:root 4:det 2:nsubj 6:case 2:obl ");
}

TEST(SchemeToUd, ATitleBeforeANameDescribesIt) {
  auto title_relation = [](const std::string& title, const std::string& name) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E1\t(()\tfin C\t*\t)\n"
        "1\t(" +
            title + "\t~ N\t2\tnn\t(gov " + name +
            "))\n"
            "2\t(" +
            name +
            "\t~ N\t3\ts\t(gov leave))\n"
            "3\t(left\tleave V\tE1\ti\t(gov fin))\n"
            ")\n",
        title + " " + name + " left");
    return std::to_string(sentence.words[0].head) + ":" + sentence.words[0].deprel;
  };
  EXPECT_EQ(title_relation("Dr.", "Cooper"), "2:nmod:desc");
  EXPECT_EQ(title_relation("President", "Bush"), "2:nmod:desc");
  EXPECT_EQ(title_relation("police", "station"), "2:compound");
  EXPECT_EQ(title_relation("Enron", "Corp"), "2:compound");
}

TEST(SchemeToUd, APersonsNameIsFlatUnderItsFirstWord) {
  // A given name compounded with a surname.
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(the\t~ Det\t3\tdet\t(gov Fisher))\n"
      "2\t(Susan\t~ N\t3\tnn\t(gov Fisher))\n"
      "3\t(Fisher\t~ N\t4\ts\t(gov leave))\n"
      "4\t(left\tleave V\tE1\ti\t(gov fin))\n"
      ")\n",
      "the Susan Fisher left");
  EXPECT_EQ(attachments(sentence), "2:det 4:nsubj 2:flat 0:root ");
  // A flat item with an initial inside a compound, after a title.
  sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Dr.\t~ N\t4\tnn\t(gov Anderson))\n"
      "2\t(Jill\t~ N\t3\tlex-mod\t(gov M.))\n"
      "3\t(M.\t~ N\t4\tnn\t(gov Anderson))\n"
      "4\t(Anderson\t~ N\t5\ts\t(gov leave))\n"
      "5\t(left\tleave V\tE1\ti\t(gov fin))\n"
      ")\n",
      "Dr. Jill M. Anderson left");
  EXPECT_EQ(attachments(sentence), "2:nmod:desc 5:nsubj 2:flat 2:flat 0:root ");
  // An Arabic particle starts the name; the hyphen has no node and hangs
  // from the article that heads the name.
  sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(al\t~ N\t3\tnn\t(gov Sadr))\n"
      "3\t(Sadr\t~ N\t4\ts\t(gov say))\n"
      "4\t(said\tsay V\tE1\ti\t(gov fin))\n"
      ")\n",
      "al - Sadr said");
  EXPECT_EQ(attachments(sentence), "4:nsubj 1:punct 1:flat 0:root ");
  // A particle after a given name the table does not know: the name
  // starts at the first word.
  sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Muqtada\t~ N\t4\tnn\t(gov Sadr))\n"
      "2\t(al\t~ N\t4\tnn\t(gov Sadr))\n"
      "4\t(Sadr\t~ N\t5\ts\t(gov say))\n"
      "5\t(said\tsay V\tE1\ti\t(gov fin))\n"
      ")\n",
      "Muqtada al - Sadr said");
  EXPECT_EQ(attachments(sentence), "5:nsubj 1:flat 4:punct 1:flat 0:root ");
  // A compound over a flat item with an initial (a signature line).
  sentence = from_velmo(
      "(\n"
      "1\t(Marlene\t~ N\t2\tnn\t(gov D.))\n"
      "2\t(D.\t~ N\t*\t)\n"
      "3\t(Hilliard\t~ N\t2\tlex-mod\t(gov D.))\n"
      ")\n",
      "Marlene D. Hilliard");
  EXPECT_EQ(attachments(sentence), "0:root 1:flat 1:flat ");
  // Initials without full stops.
  sentence = from_velmo(
      "(\n"
      "1\t(V\t~ N\t3\tnn\t(gov Choudhry))\n"
      "2\t(K\t~ N\t3\tnn\t(gov Choudhry))\n"
      "3\t(Choudhry\t~ N\t*\t)\n"
      ")\n",
      "V K Choudhry");
  EXPECT_EQ(attachments(sentence), "0:root 1:flat 1:flat ");
  // Without a given name or an initial the compound stays (a paper's name).
  sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Washington\t~ N\t2\tnn\t(gov Post))\n"
      "2\t(Post\t~ N\t3\ts\t(gov leave))\n"
      "3\t(left\tleave V\tE1\ti\t(gov fin))\n"
      ")\n",
      "Washington Post left");
  EXPECT_EQ(attachments(sentence), "2:compound 3:nsubj 0:root ");
}

TEST(SchemeToUd, TwoOrThreeCapitalisedWordsKnownOnlyAsNamesAreAPersonsName) {
  // Neither word is a given name of the table, a common noun or a word of
  // places and bodies: a person's name. (The roots are spelled out: "~"
  // would leave their case unknown.)
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Darrow\tDarrow N\t2\tnn\t(gov Quilby))\n"
      "2\t(Quilby\tQuilby N\t3\ts\t(gov leave))\n"
      "3\t(left\tleave V\tE1\ti\t(gov fin))\n"
      ")\n",
      "Darrow Quilby left");
  EXPECT_EQ(attachments(sentence), "3:nsubj 1:flat 0:root ");
  // A word the treebank writes in compound names (a place) keeps the compound.
  sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(South\t~ N\t2\tnn\t(gov Quilby))\n"
      "2\t(Quilby\tQuilby N\t3\ts\t(gov leave))\n"
      "3\t(left\tleave V\tE1\ti\t(gov fin))\n"
      ")\n",
      "South Quilby left");
  EXPECT_EQ(attachments(sentence), "2:compound 3:nsubj 0:root ");
  // So does a word the lexicon reads as a common noun (its root in lower
  // case), and a name with a determiner or a possessor.
  sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Darrow\tDarrow N\t2\tnn\t(gov room))\n"
      "2\t(Room\troom N\t3\ts\t(gov leave))\n"
      "3\t(left\tleave V\tE1\ti\t(gov fin))\n"
      ")\n",
      "Darrow Room left");
  EXPECT_EQ(attachments(sentence), "2:compound 3:nsubj 0:root ");
  sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(the\t~ Det\t3\tdet\t(gov Quilby))\n"
      "2\t(Darrow\tDarrow N\t3\tnn\t(gov Quilby))\n"
      "3\t(Quilby\tQuilby N\t4\ts\t(gov leave))\n"
      "4\t(left\tleave V\tE1\ti\t(gov fin))\n"
      ")\n",
      "the Darrow Quilby left");
  EXPECT_EQ(attachments(sentence), "3:det 3:compound 4:nsubj 0:root ");
  // Three words.
  sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Darrow\tDarrow N\t3\tnn\t(gov Quilby))\n"
      "2\t(Emet\tEmet N\t3\tnn\t(gov Quilby))\n"
      "3\t(Quilby\tQuilby N\t4\ts\t(gov leave))\n"
      "4\t(left\tleave V\tE1\ti\t(gov fin))\n"
      ")\n",
      "Darrow Emet Quilby left");
  EXPECT_EQ(attachments(sentence), "4:nsubj 1:flat 1:flat 0:root ");
  // Roots whose case the dependency format left unknown decide nothing.
  sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Darrow\t~ N\t2\tnn\t(gov x))\n"
      "2\t(Quilby\t~ N\t3\ts\t(gov leave))\n"
      "3\t(left\tleave V\tE1\ti\t(gov fin))\n"
      ")\n",
      "Darrow Quilby left");
  EXPECT_EQ(attachments(sentence), "2:compound 3:nsubj 0:root ");
}

TEST(SchemeToUd, AnAreaCodeInBracketsHeadsTheTelephoneNumber) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Call\tcall V\tE1\ti\t(gov fin))\n"
      "3\t(713\t~ Num\t5\tappo\t(gov 853-3242))\n"
      "5\t(853-3242\t~ Num\t1\tobj\t(gov call))\n"
      ")\n",
      "Call ( 713 ) 853-3242");
  EXPECT_EQ(attachments(sentence), "0:root 3:punct 1:obj 3:punct 3:flat ");
}

// "$500 million": the sign takes the amount's place and heads it; "about"
// goes with it, 500 is a compound of million, million the sign's nummod.
TEST(SchemeToUd, ACurrencySignHeadsTheAmount) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(They\t~ N\t2\ts\t(gov spend))\n"
      "2\t(spent\tspend V\tE0\ti\t(gov fin))\n"
      "3\t(about\t~ Adv\t4\tmod\t(gov $500))\n"
      "4\t($500\t~ Num\t5\tnum\t(gov million))\n"
      "5\t(million\t~ N\t2\tobj\t(gov spend))\n"
      ")\n",
      "They spent about $500 million");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 4:advmod 2:obj 6:compound 4:nummod ");
  EXPECT_EQ(sentence.words[3].upos, "SYM");
}

// "was $8.95": the sign is the predicate, the number its nummod.
TEST(SchemeToUd, ACurrencySignTakesTheNumbersRelation) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov be))\n"
      "2\t(was\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t($8.95\t~ Num\t2\tpred\t(gov be))\n"
      ")\n",
      "It was $8.95");
  EXPECT_EQ(attachments(sentence), "3:nsubj 3:cop 0:root 3:nummod ");
}

TEST(SchemeToUd, AlongBeforeWithIsACaseMarkerAndFixedWordsKeepTheirOwnPartOfSpeech) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(\"Of course\"\t~ Prep\t4\tmod\t(gov come))\n"
      "2\t(course\t U\t1\tlex-mod\t(gov \"of course\"))\n"
      "3\t(Bob\t~ N\t1\tpcomp\t(gov \"of course\"))\n"
      "4\t(came\tcome V\tE0\ti\t(gov fin))\n"
      "5\t(along\t~ Adv\t6\tmod\t(gov with))\n"
      "6\t(with\t~ Prep\t4\tmod\t(gov come))\n"
      "7\t(Cy\t~ N\t6\tpcomp\t(gov with))\n"
      ")\n",
      "Of course Bob came along with Cy");
  EXPECT_EQ(attachments(sentence), "3:case 1:fixed 4:obl 0:root 7:case 7:case 4:obl ");
  std::string upos;
  for (const UdWord& word : sentence.words) upos += word.upos + " ";
  EXPECT_EQ(upos, "ADP NOUN PROPN VERB ADP ADP PROPN ");
}

// "at least" hangs from the number after it, or from the phrase that
// begins after it, with "at" as its case.
TEST(SchemeToUd, AtLeastHangsFromTheNumberOrPhraseAfterIt) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov wait))\n"
      "2\t(waited\twait V\tE0\ti\t(gov fin))\n"
      "3\t(at\t~ Prep\t2\tmod\t(gov wait))\n"
      "4\t(least\t~ A\t6\tmod\t(gov minute))\n"
      "5\t(10\t~ Num\t6\tnum\t(gov minute))\n"
      "6\t(minutes\tminute N\t3\tpcomp\t(gov at))\n"
      ")\n",
      "I waited at least 10 minutes");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 4:case 5:nmod 6:nummod 2:obl:unmarked ");
  UdSentence phrase = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Keep\tkeep V\tE0\ti\t(gov fin))\n"
      "2\t(checking\tcheck V\t1\tcomp\t(gov keep))\n"
      "3\t(at\t~ Prep\t2\tmod\t(gov check))\n"
      "4\t(least\t~ A\t3\tpcomp\t(gov at))\n"
      "5\t(on\t~ Prep\t2\tmod\t(gov check))\n"
      "6\t(a\t~ Det\t8\tdet\t(gov basis))\n"
      "7\t(weekly\t~ A\t8\tmod\t(gov basis))\n"
      "8\t(basis\t~ N\t5\tpcomp\t(gov on))\n"
      ")\n",
      "Keep checking at least on a weekly basis");
  EXPECT_EQ(attachments(phrase), "0:root 1:xcomp 4:case 8:nmod 8:case 8:det 8:amod 2:obl ");
}

// "5 - 10 percent": the second number of a range hangs from the first,
// the dash (a symbol) its case.
TEST(SchemeToUd, TheSecondNumberOfADashedRangeHangsFromTheFirst) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(The\t~ Det\t2\tdet\t(gov rate))\n"
      "2\t(rate\t~ N\t3\ts\t(gov be))\n"
      "3\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "4\t(5\t~ Num\t7\tnum\t(gov percent))\n"
      "6\t(10\t~ Num\t7\tnum\t(gov percent))\n"
      "7\t(percent\t~ N\t3\tpred\t(gov be))\n"
      ")\n",
      "The rate is 5 - 10 percent");
  EXPECT_EQ(attachments(sentence), "2:det 7:nsubj 7:cop 7:nummod 6:case 4:nmod 0:root ");
  EXPECT_EQ(sentence.words[4].upos, "SYM");
}

// "for 5 to 10 minutes": the second number hangs from the first with "to"
// as its case, the first is the noun's number and the noun takes its "for".
TEST(SchemeToUd, ARangeWithToIsWrittenAsTheNumbersOfItsNoun) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Try\t~ V\tE0\ti\t(gov fin))\n"
      "2\t(this\t~ N\t1\tobj\t(gov try))\n"
      "3\t(for\t~ Prep\t1\tmod\t(gov try))\n"
      "4\t(5\t~ Num\t3\tpcomp\t(gov for))\n"
      "5\t(to\t~ Prep\t1\tmod\t(gov try))\n"
      "6\t(10\t~ Num\t7\tnum\t(gov minutes))\n"
      "7\t(minutes\t~ N\t5\tpcomp\t(gov to))\n"
      ")\n",
      "Try this for 5 to 10 minutes");
  EXPECT_EQ(attachments(sentence), "0:root 1:obj 7:case 7:nummod 6:case 4:nmod 1:obl ");
}

// "What are you searching for": the stranded preposition is the case
// marker of the pronoun, an obl of the verb.
TEST(SchemeToUd, AStrandedPrepositionIsTheCaseOfItsPronoun) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(What\t~ N\t4\tobj\t(gov search))\n"
      "2\t(are\tbe VB\t4\taux\t(gov search))\n"
      "3\t(you\t~ N\t4\ts\t(gov search))\n"
      "4\t(searching\tsearch V\tE0\ti\t(gov fin))\n"
      "5\t(for\t~ Prep\t4\tmod\t(gov search))\n"
      ")\n",
      "What are you searching for");
  EXPECT_EQ(attachments(sentence), "4:obl 4:aux 4:nsubj 0:root 1:case ");
  EXPECT_EQ(sentence.words[4].upos, "ADP");
}

TEST(SchemeToUd, OfCourseParsedAsAPrepositionalPhraseIsAnAdverbWithAFixedWord) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Of\t~ Prep\t5\tmod\t(gov come))\n"
      "2\t(course\t~ N\t1\tpcomp\t(gov of))\n"
      "4\t(Bob\t~ N\t5\ts\t(gov come))\n"
      "5\t(came\tcome V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Of course, Bob came");
  EXPECT_EQ(attachments(sentence), "5:advmod 1:fixed 1:punct 5:nsubj 0:root ");
}

TEST(SchemeToUd, WhenOpeningAClauseIsAnAdverbNotAMark) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov leave))\n"
      "2\t(left\tleave V\tE0\ti\t(gov fin))\n"
      "3\t(when\t~ C\t2\tmod\t(gov leave))\n"
      "4\t(he\t~ N\t5\ts\t(gov come))\n"
      "5\t(came\tcome V\t3\ti\t(gov when))\n"
      ")\n",
      "I left when he came");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 5:advmod 5:nsubj 2:advcl ");
  EXPECT_EQ(sentence.words[2].upos, "ADV");
}

TEST(SchemeToUd, SoOfAConsequenceIsAnAdverbSoOfAPurposeAMark) {
  UdSentence consequence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov be))\n"
      "2\t(was\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(out\t~ Adv\t2\tpred\t(gov be))\n"
      "4\t(so\t~ C\t2\tmod\t(gov be))\n"
      "5\t(I\t~ N\t6\ts\t(gov miss))\n"
      "6\t(missed\tmiss V\t4\ti\t(gov so))\n"
      "7\t(it\t~ N\t6\tobj\t(gov miss))\n"
      ")\n",
      "I was out so I missed it");
  EXPECT_EQ(attachments(consequence), "3:nsubj 3:cop 0:root 6:advmod 6:nsubj 3:parataxis 6:obj ");
  EXPECT_EQ(consequence.words[3].upos, "ADV");
  UdSentence purpose = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Call\tcall V\tE0\ti\t(gov fin))\n"
      "2\t(me\t~ N\t1\tobj\t(gov call))\n"
      "3\t(so\t~ C\t1\tmod\t(gov call))\n"
      "4\t(I\t~ N\t6\ts\t(gov know))\n"
      "5\t(can\t~ VB\t6\taux\t(gov know))\n"
      "6\t(know\t~ V\t3\ti\t(gov so))\n"
      ")\n",
      "Call me so I can know");
  EXPECT_EQ(attachments(purpose), "0:root 1:obj 6:mark 6:nsubj 6:aux 1:advcl ");
  EXPECT_EQ(purpose.words[2].upos, "SCONJ");
}

TEST(SchemeToUd, ElseAfterAPlaceAdverbModifiesThatAdverb) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Go\tgo V\tE0\ti\t(gov fin))\n"
      "2\t(somewhere\t~ Adv\t1\tmod\t(gov go))\n"
      "3\t(else\t~ Adv\t1\tmod\t(gov go))\n"
      ")\n",
      "Go somewhere else");
  EXPECT_EQ(attachments(sentence), "0:root 1:advmod 2:advmod ");
}

TEST(SchemeToUd, TheSecondAsOfAComparisonMarksTheAdjectiveAfterIt) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Call\t~ V\tE0\ti\t(gov fin))\n"
      "2\t(me\t~ N\t1\tobj\t(gov call))\n"
      "3\t(as\t~ Adv\t4\tmod\t(gov soon))\n"
      "4\t(soon\t~ Adv\t1\tmod\t(gov call))\n"
      "5\t(as\t~ Adv\t6\tmod\t(gov possible))\n"
      "6\t(possible\t~ A\t1\tpred\t(gov call))\n"
      ")\n",
      "Call me as soon as possible");
  EXPECT_EQ(attachments(sentence), "0:root 1:obj 4:advmod 1:advmod 6:mark 4:advcl ");
  EXPECT_EQ(sentence.words[2].upos, "ADV");
  EXPECT_EQ(sentence.words[4].upos, "SCONJ");
}

TEST(SchemeToUd, APrepositionBeforeAGerundMarksItsClause) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(How\t~ Adv\t4\tmod\t(gov feel))\n"
      "2\t(do\t~ VB\t4\taux\t(gov feel))\n"
      "3\t(you\t~ N\t4\ts\t(gov feel))\n"
      "4\t(feel\t~ V\tE0\ti\t(gov fin))\n"
      "5\t(about\t~ Adv\t6\tmod\t(gov take))\n"
      "6\t(taking\ttake V\t4\tcomp\t(gov feel))\n"
      "7\t(it\t~ N\t6\tobj\t(gov take))\n"
      ")\n",
      "How do you feel about taking it");
  EXPECT_EQ(attachments(sentence), "4:advmod 4:aux 4:nsubj 0:root 6:mark 4:xcomp 6:obj ");
  EXPECT_EQ(sentence.words[4].upos, "SCONJ");
}

TEST(SchemeToUd, AFrontedParticipleWithBeAfterItIsPassive) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Attached\tattach V\tE1\ti\t(gov fin))\n"
      "2\t(is\tbe VB\t1\taux\t(gov attach))\n"
      "3\t(the\t~ Det\t4\tdet\t(gov file))\n"
      "4\t(file\t~ N\t1\ts\t(gov attach))\n"
      ")\n",
      "Attached is the file");
  EXPECT_EQ(attachments(sentence), "0:root 1:aux:pass 4:det 1:nsubj:pass ");
}

TEST(SchemeToUd, APrepositionBeforeADateAndATimeMarksTheDate) {
  // Sent on 08/15/2000 06:03:48 PM: the date heads, the time is its list
  // item with PM under it, and "on" marks the date (not the time, which PM
  // handed it to).
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Sent\tsend V\tE1\ti\t(gov fin))\n"
      "2\t(on\t~ Prep\t1\tmod\t(gov send))\n"
      "3\t(08/15/2000\t~ Num\t5\tnum\t(gov pm))\n"
      "4\t(06:03:48\t~ Num\t5\tnum\t(gov pm))\n"
      "5\t(PM\t~ N\t2\tpcomp\t(gov on))\n"
      ")\n",
      "Sent on 08/15/2000 06:03:48 PM");
  EXPECT_EQ(attachments(sentence), "0:root 3:case 1:obl 3:list 4:nmod:unmarked ");
}

TEST(SchemeToUd, AFirstWordBeforeACapitalisedNounIsAProperNounButPmIsNot) {
  auto upos_of = [](const std::string& first, const std::string& second) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E1\t(()\tfin C\t*\t)\n"
        "1\t(" + first + "\t~ N\t2\tnn\t(gov x))\n"
        "2\t(" + second + "\t~ N\t3\ts\t(gov leave))\n"
        "3\t(left\tleave V\tE1\ti\t(gov fin))\n"
        "4\t(at\t~ Prep\t3\tmod\t(gov leave))\n"
        "5\t(PM\t~ N\t4\tpcomp\t(gov at))\n"
        ")\n",
        first + " " + second + " left at PM");
    return sentence.words[0].upos + " " + sentence.words[1].upos + " " + sentence.words[4].upos;
  };
  EXPECT_EQ(upos_of("Susan", "Fisher"), "PROPN PROPN NOUN");
  EXPECT_EQ(upos_of("Shop", "staff"), "NOUN NOUN NOUN");
}

TEST(SchemeToUd, TheLexiconsRootAndTheWordsFormDecideProperNouns) {
  // Words with their roots: the first word opens the sentence.
  auto upos_of = [](const std::string& first, const std::string& first_root, const std::string& object,
                    const std::string& object_root, const std::string& last) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E1\t(()\tfin C\t*\t)\n"
        "1\t(" + first + "\t" + first_root + " N\t2\ts\t(gov meet))\n"
        "2\t(Met\tmeet V\tE1\ti\t(gov fin))\n"
        "3\t(" + object + "\t" + object_root + " N\t2\tobj\t(gov x))\n"
        "4\t(" + last + "\t~ N\t3\tappo\t(gov x))\n"
        ")\n",
        first + " Met " + object + " " + last);
    return sentence.words[0].upos + " " + sentence.words[2].upos + " " + sentence.words[3].upos;
  };
  // A first word the lexicon reads as a name (its root keeps the capital).
  EXPECT_EQ(upos_of("Quilby", "Quilby", "staff", "~", "Today"), "PROPN NOUN PROPN");
  // A first word read as a common noun stays one, and so does one whose
  // root's case the dependency format left unknown ("~").
  EXPECT_EQ(upos_of("Shop", "shop", "staff", "~", "Today"), "NOUN NOUN PROPN");
  EXPECT_EQ(upos_of("Quilby", "~", "staff", "~", "Today"), "NOUN NOUN PROPN");
  // Addresses and Arabic name particles are names, whatever their case.
  EXPECT_EQ(upos_of("Shop", "shop", "al", "~", "kim@site.com"), "NOUN PROPN PROPN");
  // In a title a capitalised common noun outside a name is common.
  EXPECT_EQ(upos_of("Shop", "shop", "Staff", "staff", "Today"), "NOUN NOUN PROPN");
  EXPECT_EQ(upos_of("Shop", "shop", "staff", "~", "today"), "NOUN NOUN NOUN");
  // A file name is a common noun, whatever its capitals; an address stays a name.
  EXPECT_EQ(upos_of("Shop", "shop", "staff", "~", "CrudeStocks.pdf"), "NOUN NOUN NOUN");
  EXPECT_EQ(upos_of("Shop", "shop", "staff", "~", "ENRON.XLS"), "NOUN NOUN NOUN");
  EXPECT_EQ(upos_of("Shop", "shop", "staff", "~", "Crude.com"), "NOUN NOUN PROPN");
}

TEST(SchemeToUd, TheObjectOfAVerbOfTellingBeforeAClauseIsTheRecipient) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(told\ttell V\tE0\ti\t(gov fin))\n"
      "2\t(reporters\treporter N\t1\tobj\t(gov tell))\n"
      "E1\t(()\tfin C\t1\tcomp\t(gov tell))\n"
      "3\t(Ann\t~ N\t4\ts\t(gov leave))\n"
      "4\t(left\tleave V\tE1\ti\t(gov fin))\n"
      ")\n",
      "told reporters Ann left");
  EXPECT_EQ(attachments(sentence), "0:root 1:iobj 4:nsubj 1:ccomp ");
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(showed\tshow V\tE0\ti\t(gov fin))\n"
      "2\t(stories\tstory N\t1\tobj\t(gov show))\n"
      ")\n",
      "showed stories");
  EXPECT_EQ(attachments(sentence), "0:root 1:obj ");
}

TEST(SchemeToUd, APhraseUnderAPointOfTheCompassIsOblique) {
  auto relation_of_of = [](const std::string& noun) {
    UdSentence sentence = from_velmo(
        "(\n"
        "1\t(" + noun + "\t~ N\t*\t)\n"
        "2\t(of\t~ Prep\t1\tmod\t(gov x))\n"
        "3\t(Baghdad\t~ N\t2\tpcomp\t(gov of))\n"
        ")\n",
        noun + " of Baghdad");
    return sentence.words[2].deprel;
  };
  EXPECT_EQ(relation_of_of("west"), "obl");
  EXPECT_EQ(relation_of_of("people"), "nmod");
}

TEST(SchemeToUd, AnAdverbOpeningAClauseBeforeItsSubjectMarksIt) {
  auto relation_of_first = [](const std::string& word) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(" +
            word +
            "\t~ Adv\t3\tmod\t(gov know))\n"
            "2\t(we\t~ N\t3\ts\t(gov know))\n"
            "3\t(know\t~ V\tE0\ti\t(gov fin))\n"
            ")\n",
        word + " we know");
    return sentence.words[0].deprel;
  };
  EXPECT_EQ(relation_of_first("as"), "mark");
  EXPECT_EQ(relation_of_first("though"), "mark");
  EXPECT_EQ(relation_of_first("so"), "advmod");
  EXPECT_EQ(relation_of_first("when"), "advmod");
}

TEST(SchemeToUd, ANounOfTimeWithLastOrEveryIsAnAdjunctNotAnObject) {
  auto relation_of_noun = [](const std::string& determiner, const std::string& noun) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(We\t~ N\t2\ts\t(gov meet))\n"
        "2\t(met\tmeet V\tE0\ti\t(gov fin))\n"
        "3\t(" +
            determiner + "\t~ Det\t4\tdet\t(gov " + noun +
            "))\n"
            "4\t(" +
            noun +
            "\t~ N\t2\tobj\t(gov meet))\n"
            ")\n",
        "We met " + determiner + " " + noun);
    return sentence.words[3].deprel;
  };
  EXPECT_EQ(relation_of_noun("last", "week"), "obl:unmarked");
  EXPECT_EQ(relation_of_noun("every", "day"), "obl:unmarked");
  EXPECT_EQ(relation_of_noun("the", "day"), "obj");
  EXPECT_EQ(relation_of_noun("last", "guest"), "obj");
  EXPECT_EQ(relation_of_noun("the", "Thursday"), "obl:unmarked");
}

TEST(SchemeToUd, ANameJoinedAloneToANounRenamesIt) {
  auto relation_of_second = [](const std::string& first, const std::string& second) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(I\t~ N\t2\ts\t(gov quote))\n"
        "2\t(quote\t~ V\tE0\ti\t(gov fin))\n"
        "3\t(" + first + "\t~ N\t2\tobj\t(gov quote))\n"
        "4\t(,\t~ Punc\t3\tpunc\t(gov " + first + "))\n"
        "5\t(" + second + "\t~ N\t3\tconj\t(gov " + first + "))\n"
        ")\n",
        "I quote " + first + " , " + second);
    return sentence.words[4].deprel;
  };
  EXPECT_EQ(relation_of_second("Rachels", "author"), "appos");
  EXPECT_EQ(relation_of_second("coffee", "tea"), "conj");
  EXPECT_EQ(relation_of_second("Ann", "Bob"), "conj");
}

TEST(SchemeToUd, APhraseUnderAnAdjectiveStandingForANounIsOblique) {
  UdSentence sentence = from_velmo(
      "(\n"
      "1\t(of\t~ Prep\t*\t)\n"
      "2\t(the\t~ Det\t3\tdet\t(gov large))\n"
      "3\t(largest\tlarge A\t1\tpcomp\t(gov of))\n"
      "4\t(in\t~ Prep\t3\tmod\t(gov large))\n"
      "5\t(town\t~ N\t4\tpcomp\t(gov in))\n"
      ")\n",
      "of the largest in town");
  EXPECT_EQ(sentence.words[4].deprel, "obl");
}

TEST(SchemeToUd, ABareNounAfterItsVerbIsAnObjectUnlessItTellsTimeOrMeasure) {
  auto relation_of_noun = [](const std::string& noun) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(I\t~ N\t2\ts\t(gov share))\n"
        "2\t(shared\tshare V\tE0\ti\t(gov fin))\n"
        "3\t(with\t~ Prep\t2\tmod\t(gov share))\n"
        "4\t(you\t~ N\t3\tpcomp\t(gov with))\n"
        "5\t(" +
            noun + "\t~ N\t2\tmod\t(gov share))\n" +
            ")\n",
        "I shared with you " + noun);
    return sentence.words[4].deprel;
  };
  EXPECT_EQ(relation_of_noun("facts"), "obj");
  EXPECT_EQ(relation_of_noun("yesterday"), "obl:unmarked");
  EXPECT_EQ(relation_of_noun("myself"), "obl:unmarked");
  EXPECT_EQ(relation_of_noun("Jeff"), "obl:unmarked");
}

TEST(SchemeToUd, AByPhraseOfAPassiveParticipleIsItsAgent) {
  // Under a passive verb and under a participle without subject or
  // auxiliary the phrase of "by" is the agent.
  UdSentence passive = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(The\t~ Det\t2\tdet\t(gov letter))\n"
      "2\t(letter\t~ N\t4\ts\t(gov write))\n"
      "3\t(was\tbe VB\t4\taux\t(gov write))\n"
      "4\t(written\twrite V\tE0\ti\t(gov fin))\n"
      "5\t(by\t~ Prep\t4\tmod\t(gov write))\n"
      "6\t(Ann\t~ N\t5\tpcomp\t(gov by))\n"
      ")\n",
      "The letter was written by Ann");
  EXPECT_EQ(attachments(passive), "2:det 4:nsubj:pass 4:aux:pass 0:root 6:case 4:obl:agent ");
  UdSentence participle = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov read))\n"
      "2\t(read\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(a\t~ Det\t4\tdet\t(gov book))\n"
      "4\t(book\t~ N\t2\tobj\t(gov read))\n"
      "5\t(written\twrite V\t4\tmod\t(gov book))\n"
      "6\t(by\t~ Prep\t5\tmod\t(gov write))\n"
      "7\t(Ann\t~ N\t6\tpcomp\t(gov by))\n"
      ")\n",
      "I read a book written by Ann");
  EXPECT_EQ(participle.words[6].deprel, "obl:agent");
  // A past tense with its subject takes a plain oblique (stopped by the store).
  UdSentence active = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov stop))\n"
      "2\t(stopped\tstop V\tE0\ti\t(gov fin))\n"
      "3\t(by\t~ Prep\t2\tmod\t(gov stop))\n"
      "4\t(the\t~ Det\t5\tdet\t(gov store))\n"
      "5\t(store\t~ N\t3\tpcomp\t(gov by))\n"
      ")\n",
      "We stopped by the store");
  EXPECT_EQ(active.words[4].deprel, "obl");
}

TEST(SchemeToUd, AnObliqueWithoutCaseMarkerIsUnmarkedButAStrandedPrepositionIsNot) {
  UdSentence week = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov meet))\n"
      "2\t(met\tmeet V\tE0\ti\t(gov fin))\n"
      "3\t(last\t~ A\t4\tmod\t(gov week))\n"
      "4\t(week\t~ N\t2\tmod\t(gov meet))\n"
      ")\n",
      "We met last week");
  EXPECT_EQ(week.words[3].deprel, "obl:unmarked");
  UdSentence marked = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov meet))\n"
      "2\t(met\tmeet V\tE0\ti\t(gov fin))\n"
      "3\t(in\t~ Prep\t2\tmod\t(gov meet))\n"
      "4\t(May\t~ N\t3\tpcomp\t(gov in))\n"
      ")\n",
      "We met in May");
  EXPECT_EQ(marked.words[3].deprel, "obl");
}

TEST(SchemeToUd, NounsBeforeNumbersAndCoupleAreNominalModifiersAndPerIsAPreposition) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov cost))\n"
      "2\t(costs\tcost V\tE0\ti\t(gov fin))\n"
      "3\t($\t~ U\t2\tobj\t(gov cost))\n"
      "4\t(5\t~ Num\t3\tnum\t(gov $))\n"
      "5\t(per\t~ N\t6\tnn\t(gov day))\n"
      "6\t(day\t~ N\t2\tmod\t(gov cost))\n"
      "7\t(at\t~ Prep\t2\tmod\t(gov cost))\n"
      "8\t(8:00\t~ Num\t7\tpcomp\t(gov at))\n"
      "9\t(PM\t~ N\t8\tnn\t(gov 8:00))\n"
      "10\t(for\t~ Prep\t2\tmod\t(gov cost))\n"
      "11\t(a\t~ Det\t13\tdet\t(gov day))\n"
      "12\t(couple\t~ N\t13\tnn\t(gov day))\n"
      "13\t(days\tday N\t10\tpcomp\t(gov for))\n"
      ")\n",
      "It costs $ 5 per day at 8:00 PM for a couple days");
  EXPECT_EQ(sentence.words[4].deprel, "case");
  EXPECT_EQ(sentence.words[4].head, 6);
  EXPECT_EQ(sentence.words[8].deprel, "nmod:unmarked");
  EXPECT_EQ(sentence.words[11].deprel, "nmod:unmarked");
  UdSentence age = from_velmo(
      "(\n"
      "1\t(ten\t~ Num\t2\tnum\t(gov year))\n"
      "2\t(years\tyear N\t3\tnn\t(gov old))\n"
      "3\t(old\t~ N\t*\t)\n"
      ")\n",
      "ten years old");
  EXPECT_EQ(age.words[1].deprel, "obl:unmarked");
}

TEST(SchemeToUd, APronounObjectBeforeAVerbWithAStrandedPrepositionIsOblique) {
  auto relation_of_what = [](const std::string& preposition) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(what\t~ N\t3\tobj\t(gov talk))\n"
        "2\t(he\t~ N\t3\ts\t(gov talk))\n"
        "3\t(talked\ttalk V\tE0\ti\t(gov fin))\n"
        "4\t(" +
            preposition + "\t~ Prep\t3\tmod\t(gov talk))\n" + ")\n",
        "what he talked " + preposition);
    return sentence.words[0].deprel;
  };
  EXPECT_EQ(relation_of_what("about"), "obl");
  EXPECT_EQ(relation_of_what("up"), "obj");
}

TEST(SchemeToUd, ANounReadWithItsPossessiveMarkIsThePossessor) {
  UdSentence sentence = from_velmo(
      "(\n"
      "1\t(Korea\xE2\x80\x99s\t~ N\t2\tnn\t(gov plan))\n"
      "2\t(plan\t~ N\t*\t)\n"
      ")\n",
      "Korea\xE2\x80\x99s plan");
  EXPECT_EQ(attachments(sentence), "3:nmod:poss 1:case 0:root ");
}

TEST(SchemeToUd, ThatAsObjectOfAPassiveOrTransitiveRelativeIsAComplementiser) {
  auto that_and_clause = [](const std::string& verb_line, const std::string& object_line, const std::string& text,
                            const std::string& noun = "fact") {
    UdSentence sentence = from_velmo(
        "(\n"
        "1\t(" + noun + "\t~ N\t*\t)\n"
        "E0\t(()\tfin C\t1\trel\t(gov " + noun + "))\n"
        "2\t(that\t~ N\tE0\tobj\t(gov fin))\n"
        "3\t(they\t~ N\t5\ts\t(gov v))\n" +
            verb_line + object_line + ")\n",
        text);
    const UdWord& that = sentence.words[1];
    return that.deprel + " " + that.upos + " " + sentence.words[4].deprel;
  };
  EXPECT_EQ(that_and_clause("4\t(were\tbe VB\t5\taux\t(gov kill))\n5\t(killed\tkill V\tE0\ti\t(gov fin))\n", "",
                            "fact that they were killed"),
            "mark SCONJ acl");
  EXPECT_EQ(that_and_clause("4\t(will\t~ VB\t5\taux\t(gov follow))\n5\t(follow\t~ V\tE0\ti\t(gov fin))\n",
                            "6\t(money\t~ N\t5\tobj\t(gov follow))\n", "fact that they will follow money"),
            "mark SCONJ acl");
  // A real relative: the verb's object is the gap "that" stands for.
  EXPECT_EQ(that_and_clause("4\t(will\t~ VB\t5\taux\t(gov follow))\n5\t(follow\t~ V\tE0\ti\t(gov fin))\n", "",
                            "plan that they will follow", "plan"),
            "obj PRON acl:relcl");
  // Right after a noun of what is said, thought or known, "that" opens the
  // noun's content even where the verb could have it as its object.
  EXPECT_EQ(that_and_clause("4\t(will\t~ VB\t5\taux\t(gov win))\n5\t(win\t~ V\tE0\ti\t(gov fin))\n", "",
                            "idea that they will win", "idea"),
            "mark SCONJ acl");
}

TEST(SchemeToUd, AComplementiserClauseOfANounOfWhatIsKnownIsItsContent) {
  auto clause_of = [](const std::string& noun) {
    UdSentence sentence = from_velmo(
        "(\n"
        "1\t(the\t~ Det\t2\tdet\t(gov " + noun + "))\n"
        "2\t(" + noun + "\t~ N\t*\t)\n"
        "3\t(that\t~ C\t2\trel\t(gov " + noun + "))\n"
        "4\t(he\t~ N\t5\ts\t(gov come))\n"
        "5\t(came\tcome V\t3\ti\t(gov that))\n"
        ")\n",
        "the " + noun + " that he came");
    return sentence.words[2].deprel + " " + sentence.words[4].deprel;
  };
  EXPECT_EQ(clause_of("fact"), "mark acl");
  EXPECT_EQ(clause_of("news"), "mark acl");
  EXPECT_EQ(clause_of("day"), "mark acl:relcl");
}

TEST(SchemeToUd, BeBeforeAParticipleUsedAsAnAdjectiveIsACopula) {
  auto be_and_subject = [](const std::string& participle) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(I\t~ N\t3\ts\t(gov v))\n"
        "2\t(was\tbe VB\t3\taux\t(gov v))\n"
        "3\t(" + participle + "\t~ V\tE0\ti\t(gov fin))\n"
        ")\n",
        "I was " + participle);
    return sentence.words[1].deprel + " " + sentence.words[0].deprel;
  };
  EXPECT_EQ(be_and_subject("interested"), "cop nsubj");
  EXPECT_EQ(be_and_subject("eaten"), "aux:pass nsubj:pass");
}

TEST(SchemeToUd, APrepositionReadAsAnAdverbOfTheNounAfterItIsItsCaseMarker) {
  auto first_word = [](const std::string& word) {
    UdSentence sentence = from_velmo(
        "(\n"
        "1\t(" + word + "\t~ Adv\t3\tmod\t(gov lifestyle))\n"
        "2\t(our\t~ N\t3\tgen\t(gov lifestyle))\n"
        "3\t(lifestyle\t~ N\t*\t)\n"
        ")\n",
        word + " our lifestyle");
    return sentence.words[0].deprel + " " + sentence.words[0].upos;
  };
  EXPECT_EQ(first_word("about"), "case ADP");
  EXPECT_EQ(first_word("around"), "case ADP");
  EXPECT_EQ(first_word("only"), "advmod ADV");
}

TEST(SchemeToUd, ANounThatTakesAPrepositionIsNoObject) {
  // A breeze swirls around your body: the parse reads "around" as an
  // adverb of "body", which the verb takes as its object.
  UdSentence swirls = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(breeze\t~ N\t2\ts\t(gov swirl))\n"
      "2\t(swirls\tswirl V\tE0\ti\t(gov fin))\n"
      "3\t(around\t~ Adv\t5\tmod\t(gov body))\n"
      "4\t(your\t~ N\t5\tgen\t(gov body))\n"
      "5\t(body\t~ N\t2\tobj\t(gov swirl))\n"
      ")\n",
      "breeze swirls around your body");
  EXPECT_EQ(attachments(swirls), "2:nsubj 0:root 5:case 5:nmod:poss 2:obl ");
  // Under a noun the noun is its nmod (the swirl around your body).
  UdSentence swirl = from_velmo(
      "(\n"
      "1\t(swirl\t~ N\t*\t)\n"
      "2\t(around\t~ Adv\t4\tmod\t(gov body))\n"
      "3\t(your\t~ N\t4\tgen\t(gov body))\n"
      "4\t(body\t~ N\t1\tobj\t(gov swirl))\n"
      ")\n",
      "swirl around your body");
  EXPECT_EQ(attachments(swirl), "0:root 4:case 4:nmod:poss 1:nmod ");
  // Concentrate on your breath: a verb item whose preposition is no
  // particle of the verb in the treebank marks the object after it.
  auto item_with = [](const std::string& verb, const std::string& word) {
    return attachments(from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(\"" + verb + " " + word + "\"\t\"" + verb + " " + word + "\" V\tE0\ti\t(gov fin))\n"
        "2\t(" + word + "\t U\t1\tlex-mod\t(gov \"" + verb + " " + word + "\"))\n"
        "3\t(your\t~ N\t4\tgen\t(gov breath))\n"
        "4\t(breath\t~ N\t1\tobj\t(gov \"" + verb + " " + word + "\"))\n"
        ")\n",
        verb + " " + word + " your breath"));
  };
  EXPECT_EQ(item_with("concentrate", "on"), "0:root 4:case 4:nmod:poss 1:obl ");
  // A particle the treebank has with that verb, or a usual particle, stays.
  EXPECT_EQ(item_with("turn", "on"), "0:root 1:compound:prt 4:nmod:poss 1:obj ");
  EXPECT_EQ(item_with("hold", "up"), "0:root 1:compound:prt 4:nmod:poss 1:obj ");
}

TEST(SchemeToUd, AnIngNounAsThePredicateOfBeIsAProgressiveVerb) {
  // They are rooting for the party: "rooting" read as a noun predicate.
  auto predicate = [](const std::string& word, const std::string& det) {
    return from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(They\t~ N\t2\ts\t(gov be))\n"
        "2\t(are\tbe VBE\tE0\ti\t(gov fin))\n" +
            (det.empty() ? "" : "3\t(" + det + "\t~ Det\t4\tdet\t(gov " + word + "))\n") +
            "4\t(" + word + "\t~ N\t2\tpred\t(gov be))\n"
            "5\t(for\t~ Prep\t4\tmod\t(gov " + word + "))\n"
            "6\t(it\t~ N\t5\tpcomp\t(gov for))\n"
            ")\n",
        "They are " + (det.empty() ? "" : det + " ") + word + " for it");
  };
  UdSentence rooting = predicate("rooting", "");
  EXPECT_EQ(attachments(rooting), "3:nsubj 3:aux 0:root 5:case 3:obl ");
  EXPECT_EQ(rooting.words[2].upos, "VERB");
  // With a determiner it is a noun, and "be" its copula.
  EXPECT_EQ(attachments(predicate("meeting", "the")), "4:nsubj 4:cop 4:det 0:root 6:case 4:nmod ");
  // Nor is "nothing" or "something" a verb.
  EXPECT_EQ(attachments(predicate("nothing", "")), "3:nsubj 3:cop 0:root 5:case 3:nmod ");
}

TEST(SchemeToUd, TheOnlyNounObjectOfTellOrWarnIsTheOneTold) {
  auto object_of = [](const std::string& verb, const std::string& object) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(" + verb + "\t~ V\tE0\ti\t(gov v))\n"
        "2\t(" + object + "\t~ N\t1\tobj\t(gov v))\n"
        ")\n",
        verb + " " + object);
    return sentence.words[1].deprel;
  };
  EXPECT_EQ(object_of("tell", "Val"), "iobj");
  EXPECT_EQ(object_of("warn", "residents"), "iobj");
  EXPECT_EQ(object_of("tell", "this"), "obj");
  EXPECT_EQ(object_of("read", "Val"), "obj");
}

TEST(SchemeToUd, TheSecondObjectOfTellAndAPronounSentToSomeoneAreObjects) {
  // tell me the total: "me" is told, "total" what is told.
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(tell\ttell V\tE0\ti\t(gov fin))\n"
      "2\t(me\t~ N\t1\tobj2\t(gov tell))\n"
      "3\t(the\t~ Det\t4\tdet\t(gov total))\n"
      "4\t(total\t~ N\t1\tobj\t(gov tell))\n"
      ")\n",
      "tell me the total");
  EXPECT_EQ(attachments(sentence), "0:root 1:iobj 4:det 1:obj ");
  // A fronted object does not count: what they tell you.
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(what\t~ N\t3\tobj\t(gov tell))\n"
      "2\t(they\t~ N\t3\ts\t(gov tell))\n"
      "3\t(tell\ttell V\tE0\ti\t(gov fin))\n"
      "4\t(you\t~ N\t3\tobj\t(gov tell))\n"
      ")\n",
      "what they tell you");
  EXPECT_EQ(sentence.words[3].deprel, "iobj");
  // send them to you: "them" is what is sent.
  sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(send\tsend V\tE0\ti\t(gov fin))\n"
      "2\t(them\t~ N\t1\tobj\t(gov send))\n"
      "3\t(to\t~ Prep\t1\tmod\t(gov send))\n"
      "4\t(you\t~ N\t3\tpcomp\t(gov to))\n"
      ")\n",
      "send them to you");
  EXPECT_EQ(attachments(sentence), "0:root 1:obj 4:case 1:obl ");
}

TEST(SchemeToUd, ABarePrepositionAfterItsVerbIsAParticleOrAnAdverb) {
  auto relation_of = [](const std::string& preposition) {
    UdSentence sentence = from_velmo(
        "(\n"
        "E0\t(()\tfin C\t*\t)\n"
        "1\t(We\t~ N\t2\ts\t(gov give))\n"
        "2\t(gave\tgive V\tE0\ti\t(gov fin))\n"
        "3\t(" +
            preposition +
            "\t~ Prep\t2\tmod\t(gov give))\n"
            ")\n",
        "We gave " + preposition);
    return sentence.words[2].deprel;
  };
  EXPECT_EQ(relation_of("up"), "compound:prt");
  // "away" after a verb is an adverb to the train treebank (55 to 9), except
  // after the verbs listed with it as their particle (throw away).
  EXPECT_EQ(relation_of("away"), "advmod");
  EXPECT_EQ(relation_of("in"), "advmod");
  EXPECT_EQ(relation_of("with"), "obl");
}

TEST(SchemeToUd, PunctuationThatHeadsWordsKeepsItsPlace) {
  // A mark the parse made the head of words is left where it is, so the
  // words below it keep a head.
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t2\ts\t(gov come))\n"
      "2\t(came\tcome V\tE1\ti\t(gov fin))\n"
      "3\t(-\t~ Punc\t2\tpunc\t(gov come))\n"
      "4\t(really\t~ Adv\t3\tmod\t(gov -))\n"
      ")\n",
      "Ann came - really");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 2:punct 3:advmod ");
}

TEST(SchemeToUd, EmptyClauseHeadsPrepositionsAndCopulasGiveWay) {
  // The book that I read was on the table.
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(The\t~ Det\t2\tdet\t(gov book))\n"
      "2\t(book\t~ N\t6\ts\t(gov be))\n"
      "E2\t(()\tfin C\t2\trel\t(gov book))\n"
      "3\t(that\t~ N\t5\tobj\t(gov read))\n"
      "4\t(I\t~ N\t5\ts\t(gov read))\n"
      "5\t(read\t~ V\tE2\ti\t(gov fin))\n"
      "E3\t(()\tI N\t5\tsubj\t(gov read)\t(antecedent 4))\n"
      "6\t(was\tbe VBE\tE1\ti\t(gov fin))\n"
      "7\t(on\t~ Prep\t6\tpred\t(gov be))\n"
      "8\t(the\t~ Det\t9\tdet\t(gov table))\n"
      "9\t(table\t~ N\t7\tpcomp\t(gov on))\n"
      "10\t(.\t~ Punc\t6\tpunc\t(gov be))\n"
      "E4\t(()\tbook N\t6\tsubj\t(gov be)\t(antecedent 2))\n"
      ")\n",
      "The book that I read was on the table.");
  EXPECT_EQ(attachments(sentence), "2:det 9:nsubj 5:obj 5:nsubj 2:acl:relcl 9:cop 9:case 9:det 0:root 9:punct ");
}

TEST(SchemeToUd, AMultiwordItemAsVelmoPrintsIt) {
  UdSentence sentence = from_velmo(
      "(\n"
      "1\t(Bob\t~ N\t2\ts\t(gov see))\n"
      "2\t(sees\tsee V\t*\t)\n"
      "3\t(\"New York\"\t~ N\t2\tobj\t(gov see))\n"
      "4\t(York\t U\t3\tlex-mod\t(gov \"New York\"))\n"
      ")\n",
      "Bob sees New York");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 2:obj 3:flat ");
  EXPECT_EQ(sentence.words[3].upos, "PROPN");  // the name's second word, printed without category
  EXPECT_EQ(sentence.words[2].form, "New");
  EXPECT_EQ(sentence.words[2].lemma, "New");  // a root with a blank is no lemma
}

TEST(SchemeToUd, ANamesLemmaIsItsFormWhenTheRootDiffersInCaseOnly) {
  UdSentence sentence = from_velmo(
      "(\n"
      "1\t(Bob\tBob N\t2\ts\t(gov meet))\n"
      "2\t(met\tmeet V\t*\t)\n"
      "3\t(GOD\tGod N\t2\tobj\t(gov meet))\n"
      "4\t(at\t~ Prep\t2\tmod\t(gov meet))\n"
      "5\t(Bank\tbank N\t4\tpcomp\t(gov at))\n"
      "6\t(al\tAl N\t5\tmod\t(gov bank))\n"
      "7\t(banks\tbank N\t2\tobj\t(gov meet))\n"
      "8\t(Banks\tbank N\t2\tobj\t(gov meet))\n"
      ")\n",
      "Bob met GOD at Bank al banks Banks");
  ASSERT_EQ(sentence.words.size(), 8u);
  EXPECT_EQ(sentence.words[4].upos, "PROPN");
  EXPECT_EQ(sentence.words[4].lemma, "Bank");  // the common noun's root, written as the name is
  EXPECT_EQ(sentence.words[2].lemma, "God");   // capitals throughout keep the root's spelling
  EXPECT_EQ(sentence.words[5].upos, "PROPN");
  EXPECT_EQ(sentence.words[5].lemma, "al");
  EXPECT_EQ(sentence.words[6].lemma, "bank");  // a common noun keeps its root
  EXPECT_EQ(sentence.words[7].upos, "PROPN");
  EXPECT_EQ(sentence.words[7].lemma, "bank");  // a root other than the form, not only in case
}

TEST(SchemeToUd, FunctionWordsTakeTheLemmaTrainGivesThem) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(He\t~ N\t2\ts\t(gov show))\n"
      "2\t(showed\tshow V\tE0\ti\t(gov fin))\n"
      "3\t(her\t~ N\t2\tiobj\t(gov show))\n"
      "4\t(her\t~ N\t6\tgen\t(gov room))\n"
      "5\t(an\t~ Det\t6\tdet\t(gov room))\n"
      "6\t(room\t~ N\t2\tobj\t(gov show))\n"
      ")\n",
      "He showed her her an room");
  ASSERT_EQ(sentence.words.size(), 6u);
  EXPECT_EQ(sentence.words[2].lemma, "she");  // an object
  EXPECT_EQ(sentence.words[3].deprel, "nmod:poss");
  EXPECT_EQ(sentence.words[3].lemma, "her");  // a possessor keeps its form
  EXPECT_EQ(sentence.words[4].lemma, "a");
  EXPECT_EQ(sentence.words[0].lemma, "he");  // a capital at sentence start is no part of the lemma
  UdSentence them = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Those\t~ N\t2\ts\t(gov have))\n"
      "2\t(has\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(them\t~ N\t2\tobj\t(gov have))\n"
      ")\n",
      "Those has them");
  EXPECT_EQ(them.words[0].upos, "PRON");
  EXPECT_EQ(them.words[0].lemma, "that");
  EXPECT_EQ(them.words[1].lemma, "have");
  EXPECT_EQ(them.words[2].lemma, "they");
}

TEST(SchemeToUd, CommonWordsTakeTheLemmaTrainWritesForThem) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Thanks\tthank N\t6\tvoc\t(gov need))\n"
      "3\t(I\t~ N\t6\ts\t(gov need))\n"
      "4\t(don\t~ VB\t6\taux\t(gov need))\n"
      "5\t('t\t~ Adv\t6\tmod\t(gov need))\n"
      "6\t(need\t~ V\tE0\ti\t(gov fin))\n"
      "7\t(better\tgood A\t8\tmod\t(gov tool))\n"
      "8\t(tools\ttool N\t6\tobj\t(gov need))\n"
      ")\n",
      "Thanks, I don't need better tools.");
  ASSERT_EQ(sentence.words.size(), 9u);
  EXPECT_EQ(sentence.words[0].lemma, "thanks");  // a plural noun train never cuts to "thank"
  EXPECT_EQ(sentence.words[3].form, "do");
  EXPECT_EQ(sentence.words[3].lemma, "do");  // not the root "don" the tokenizer's cut left
  EXPECT_EQ(sentence.words[4].lemma, "not");
  EXPECT_EQ(sentence.words[6].lemma, "good");
  EXPECT_EQ(sentence.words[7].lemma, "tool");  // a word outside the table keeps its root
}

TEST(SchemeToUd, MultiwordItemsTakeTheTreebanksStructure) {
  // A lower-case noun item is a compound headed by its last word, which also
  // takes the item's determiner; the words after a verb item are particles;
  // an adverb item is fixed under its first word.
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(They\t~ N\t2\ts\t(gov \"blow up\"))\n"
      "2\t(\"blow up\"\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(up\t U\t2\tlex-mod\t(gov \"blow up\"))\n"
      "4\t(a\t~ Det\t5\tdet\t(gov \"police station\"))\n"
      "5\t(\"police station\"\t~ N\t2\tobj\t(gov \"blow up\"))\n"
      "6\t(station\t U\t5\tlex-mod\t(gov \"police station\"))\n"
      "7\t(\"as well\"\t~ Adv\t2\tmod\t(gov \"blow up\"))\n"
      "8\t(well\t U\t7\tlex-mod\t(gov \"as well\"))\n"
      ")\n",
      "They blow up a police station as well");
  EXPECT_EQ(attachments(sentence), "2:nsubj 0:root 2:compound:prt 6:det 6:compound 2:obj 2:advmod 7:fixed ");
  // The words printed without category take the category of their part:
  // the new head of a compound is a noun, particles and the other words of
  // a fixed expression prepositions, unless the treebank gives such a word
  // a part of speech of its own there (as well: ADV).
  std::string tags;
  for (const UdWord& word : sentence.words) tags += word.upos + " ";
  EXPECT_EQ(tags, "PRON VERB ADP DET NOUN NOUN ADV ADV ");
}

TEST(SchemeToUd, ACapitalisedNounStandingAloneWithItsCompoundsIsAFlatName) {
  UdSentence alone = from_velmo(
      "(\n"
      "1\t(Sean\t~ N\t2\tnn\t(gov Boyle))\n"
      "2\t(Boyle\t~ N\t*\t)\n"
      ")\n",
      "Sean Boyle");
  EXPECT_EQ(attachments(alone), "0:root 1:flat ");
  // A title opening the line describes the name and stays out of it.
  UdSentence titled = from_velmo(
      "(\n"
      "1\t(Ms.\t~ N\t2\tnn\t(gov Marquez))\n"
      "2\t(Marquez\t~ N\t*\t)\n"
      ")\n",
      "Ms. Marquez");
  EXPECT_EQ(attachments(titled), "2:nmod:desc 0:root ");
  UdSentence titled_name = from_velmo(
      "(\n"
      "1\t(Dr.\t~ N\t3\tnn\t(gov Smith))\n"
      "2\t(John\t~ N\t3\tnn\t(gov Smith))\n"
      "3\t(Smith\t~ N\t*\t)\n"
      ")\n",
      "Dr. John Smith");
  EXPECT_EQ(attachments(titled_name), "2:nmod:desc 0:root 2:flat ");
  // Inside a sentence the compound stays.
  UdSentence inside = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(State\t~ N\t2\tnn\t(gov Department))\n"
      "2\t(Department\t~ N\t3\ts\t(gov agree))\n"
      "3\t(agrees\tagree V\tE0\ti\t(gov fin))\n"
      ")\n",
      "State Department agrees");
  EXPECT_EQ(attachments(inside), "2:compound 3:nsubj 0:root ");
}

TEST(SchemeToUd, APrepositionBeforeAClauseIsItsMarkAndTheClauseAnAdverbialClause) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Thanks\tthank V\tE0\ti\t(gov fin))\n"
      "2\t(for\t~ Prep\t1\tmod\t(gov thank))\n"
      "3\t(helping\thelp V\t2\tpcomp\t(gov for))\n"
      "4\t(the\t~ Det\t5\tdet\t(gov way))\n"
      "5\t(way\t~ N\t3\tobj\t(gov help))\n"
      "6\t(of\t~ Prep\t5\tmod\t(gov way))\n"
      "7\t(asking\task V\t6\tpcomp\t(gov of))\n"
      ")\n",
      "Thanks for helping the way of asking");
  EXPECT_EQ(attachments(sentence), "0:root 3:mark 1:advcl 5:det 3:obj 7:mark 5:acl ");
  EXPECT_EQ(sentence.words[1].upos, "SCONJ");
  EXPECT_EQ(sentence.words[5].upos, "SCONJ");
}

TEST(SchemeToUd, WordsAreSplitAtInnerPunctuationToFillPositionsWithoutNodes) {
  // velmo cut "doesn't" into doesn and 't, and gave neither a node.
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\t U\t*\t)\n"
      "1\t(Ann\t~ N\tE1\t)\n"
      "4\t(see\t~ V\tE1\t)\n"
      "6\t(Bob\t~ N\tE1\t)\n"
      ")\n",
      "Ann doesn't see \"Bob\"");
  std::string forms;
  for (const UdWord& word : sentence.words) forms += word.form + " ";
  EXPECT_EQ(forms, "Ann does n't see \" Bob \" ");
  EXPECT_EQ(sentence.words[4].head, 6);  // the quotes go with what they enclose
  EXPECT_EQ(sentence.words[6].head, 6);
}

TEST(SchemeToUd, TheLaterPartsOfAWordWrittenWithSlashesAreItsConjuncts) {
  UdSentence list = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(food/drinks/towels\t~ N\t2\ts\t(gov be))\n"
      "2\t(are\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(free\t~ A\t2\tpred\t(gov be))\n"
      ")\n",
      "food/drinks/towels are free");
  EXPECT_EQ(attachments(list), "7:nsubj 3:cc 1:conj 5:cc 1:conj 7:cop 0:root ");
  // "and/or": "or" is a conjunct of "and", the slash its conjunction.
  UdSentence conjunction = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t4\ts\t(gov leave))\n"
      "2\t(and/or\t~ Conn\t3\tcc\t(gov bob))\n"
      "3\t(Bob\t~ N\t1\tconj\t(gov ann))\n"
      "4\t(left\tleave V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Ann and/or Bob left");
  EXPECT_EQ(attachments(conjunction), "6:nsubj 5:cc 4:cc 2:conj 1:conj 0:root ");
  // A number written with slashes is one word.
  UdSentence date = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Ann\t~ N\t2\ts\t(gov leave))\n"
      "2\t(left\tleave V\tE0\ti\t(gov fin))\n"
      "3\t(on\t~ Prep\t2\tmod\t(gov leave))\n"
      "4\t(02/13/2001\t~ Num\t3\tpcomp\t(gov on))\n"
      ")\n",
      "Ann left on 02/13/2001");
  EXPECT_EQ(attachments(date), "2:nsubj 0:root 4:case 2:obl ");
}

TEST(SchemeToUd, BothBeforeTwoConjunctsJoinedByAndIsTheirConjunction) {
  UdSentence joined = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Both\t~ Det\t2\tdet\t(gov tina))\n"
      "2\t(Tina\t~ N\t5\ts\t(gov leave))\n"
      "3\t(and\t~ Conn\t4\tcc\t(gov vicky))\n"
      "4\t(Vicky\t~ N\t2\tconj\t(gov tina))\n"
      "5\t(left\tleave V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Both Tina and Vicky left");
  EXPECT_EQ(attachments(joined), "2:cc 5:nsubj 4:cc 2:conj 0:root ");
  // Without conjuncts it stays a determiner.
  UdSentence alone = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Both\t~ Det\t2\tdet\t(gov boy))\n"
      "2\t(boys\tboy N\t3\ts\t(gov leave))\n"
      "3\t(left\tleave V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Both boys left");
  EXPECT_EQ(attachments(alone), "2:det 3:nsubj 0:root ");
}

TEST(SchemeToUd, ALaterConjunctOfANameWrittenLikeANameIsFlatToo) {
  UdSentence sentence = from_velmo(
      "(\n"
      "1\t(Ann\t~ N\t2\tlex-mod\t(gov lee))\n"
      "2\t(Lee\t~ N\t*\t)\n"
      "3\t(,\t~ Punc\t5\tpunc\t(gov patel))\n"
      "4\t(Sheetal\t~ N\t5\tnn\t(gov patel))\n"
      "5\t(Patel\t~ N\t2\tconj\t(gov lee))\n"
      "6\t(,\t~ Punc\t8\tpunc\t(gov road))\n"
      "7\t(main\t~ N\t8\tnn\t(gov road))\n"
      "8\t(road\t~ N\t2\tconj\t(gov lee))\n"
      ")\n",
      "Ann Lee, Sheetal Patel, main road");
  EXPECT_EQ(attachments(sentence), "0:root 1:flat 4:punct 1:conj 4:flat 8:punct 8:compound 1:conj ");
}

TEST(SchemeToUd, PositionsTheTextHasNothingForAreLeftOut) {
  PlainTree tree;
  PlainNode a;
  a.word = "a";
  a.position = 1;
  tree.add(a);
  PlainNode c = a;
  c.word = "c";
  c.position = 3;
  c.head = 0;
  c.relation = "obj";
  tree.add(c);
  attach_text(tree, "a c");
  UdSentence sentence = scheme_to_ud(tree);
  ASSERT_EQ(sentence.words.size(), 2u);
  EXPECT_EQ(attachments(sentence), "0:root 1:obj ");
}

TEST(AttachText, NodeWordsAnchorTheTokensAndGapsAreSplit) {
  PlainTree tree;
  PlainNode a;
  a.word = "Hello";
  a.position = 1;
  tree.add(a);
  PlainNode b;
  b.word = "world";
  b.position = 4;
  tree.add(b);
  attach_text(tree, "Hello (dear) world!");
  // Three gap pieces for two positions: the third gets a position of its
  // own, and the node after it moves up.
  ASSERT_EQ(tree.tokens.size(), 6u);
  EXPECT_EQ(tree.tokens[1].form, "(");
  EXPECT_TRUE(tree.tokens[1].space_before);
  EXPECT_EQ(tree.tokens[2].form, "dear");
  EXPECT_FALSE(tree.tokens[2].space_before);
  EXPECT_EQ(tree.tokens[3].form, ")");
  EXPECT_EQ(tree.tokens[4].form, "world");
  EXPECT_EQ(tree.nodes[1].position, 5);
  EXPECT_EQ(tree.tokens[5].form, "!");
  EXPECT_FALSE(tree.tokens[5].space_before);
}

// The tokenizer may drop a full stop before a closing quote: the line's
// text is kept whole by giving it a position of its own.
TEST(AttachText, TextTheNodesLeaveOutGetsPositions) {
  PlainTree tree;
  for (auto [word, position] : {std::pair{"We", 1}, {"keep", 2}, {"'", 3}}) {
    PlainNode node;
    node.word = word;
    node.position = position;
    tree.add(node);
  }
  attach_text(tree, "We keep.'");
  ASSERT_EQ(tree.tokens.size(), 4u);
  EXPECT_EQ(tree.tokens[2].form, ".");
  EXPECT_EQ(tree.tokens[3].form, "'");
  EXPECT_EQ(tree.nodes[2].position, 4);
}

// The tokenizer's two hyphens of "--" are one token of the line: the
// second node has no text of its own and becomes an empty node.
TEST(AttachText, ANodeWithoutTextOfItsOwnBecomesEmpty) {
  PlainTree tree;
  for (auto [word, position] : {std::pair{"Wait", 1}, {"-", 2}, {"-", 3}, {"now", 4}}) {
    PlainNode node;
    node.word = word;
    node.position = position;
    tree.add(node);
  }
  attach_text(tree, "Wait -- now");
  ASSERT_EQ(tree.tokens.size(), 3u);
  EXPECT_EQ(tree.tokens[1].form, "--");
  EXPECT_EQ(tree.nodes[1].position, 2);
  EXPECT_EQ(tree.nodes[2].position, 0);
  EXPECT_EQ(tree.nodes[3].position, 3);
}

// A word is found as a word, not inside another ("in" in "taking"); a
// multi-word item's node stands for its word at its own position, and a
// word of punctuation takes in the rest of its run.
TEST(AttachText, WordsAreMatchedWholeAndMultiwordItemsByTheirPosition) {
  PlainTree tree;
  PlainNode head;
  head.word = "taking in";
  head.position = 1;
  int index = tree.add(head);
  PlainNode in;
  in.word = "in";
  in.position = 2;
  in.relation = "lex-mod";
  in.head = index;
  tree.add(in);
  PlainNode dots;
  dots.word = ".";
  dots.position = 4;
  tree.add(dots);
  attach_text(tree, "taking in people...");
  ASSERT_EQ(tree.tokens.size(), 4u);
  EXPECT_EQ(tree.tokens[0].form, "taking");
  EXPECT_EQ(tree.tokens[1].form, "in");
  EXPECT_EQ(tree.tokens[2].form, "people");
  EXPECT_EQ(tree.tokens[3].form, "...");
}

// A node word is found in the line as written first, then ignoring case
// ("the" for "THE"), and always as a word of its own ("the" not inside
// "other"); the token keeps the line's spelling.
TEST(AttachText, AWordIsFoundExactlyThenIgnoringCase) {
  PlainTree tree;
  int position = 0;
  for (const char* word : {"The", "other", "saw", "the", "dog"}) {
    PlainNode node;
    node.word = word;
    node.position = ++position;
    tree.add(node);
  }
  attach_text(tree, "The other saw THE dog");
  ASSERT_EQ(tree.tokens.size(), 5u);
  EXPECT_EQ(tree.tokens[0].form, "The");
  EXPECT_EQ(tree.tokens[1].form, "other");
  EXPECT_EQ(tree.tokens[3].form, "THE");
  EXPECT_EQ(tree.nodes[3].position, 4);
  EXPECT_EQ(tree.tokens[4].form, "dog");
}

// A tree of one node per word, each at its position.
PlainTree tree_of_words(std::initializer_list<const char*> words) {
  PlainTree tree;
  int position = 0;
  for (const char* word : words) {
    PlainNode node;
    node.word = word;
    node.position = ++position;
    tree.add(node);
  }
  return tree;
}

// MISC holds the scheme's relation and category of a word's node, each
// only when the node has it, after SpaceAfter=No; a word without either
// has "_".
TEST(SchemeToUd, MiscHoldsTheSchemesRelationAndCategoryWhenKnown) {
  PlainTree tree = tree_of_words({"Dogs", "bark", "loudly", "!"});
  tree.nodes[0].category = "N";
  tree.nodes[0].head = 1;
  tree.nodes[1].relation = "i";
  tree.nodes[2].relation = "mod";
  tree.nodes[2].category = "Adv";
  tree.nodes[2].head = 1;
  tree.nodes[3].head = 1;
  tree.tokens = {{"Dogs", false}, {"bark", true}, {"loudly", true}, {"!", false}};
  const UdSentence sentence = scheme_to_ud(tree);
  ASSERT_EQ(sentence.words.size(), 4u);
  EXPECT_EQ(sentence.words[0].misc, "Cat=N");
  EXPECT_EQ(sentence.words[1].misc, "Rel=i");
  EXPECT_EQ(sentence.words[2].misc, "SpaceAfter=No|Rel=mod|Cat=Adv");
  EXPECT_EQ(sentence.words[3].misc, "_");
}

// A tree handed over converts as a copy of it does; its nodes are taken.
TEST(SchemeToUd, ATreeHandedOverConvertsAsACopy) {
  PlainTree tree = tree_of_words({"Dogs", "bark", "loudly", "!"});
  tree.nodes[0].category = "N";
  tree.nodes[0].relation = "s";
  tree.nodes[0].head = 1;
  tree.nodes[1].category = "V";
  tree.nodes[2].relation = "mod";
  tree.nodes[2].head = 1;
  tree.nodes[3].head = 1;
  tree.tokens = {{"Dogs", false}, {"bark", true}, {"loudly", true}, {"!", false}};
  tree.sent_id = "3";
  const std::string copied = conllu_text(scheme_to_ud(tree));
  EXPECT_EQ(tree.nodes.size(), 4u);
  const std::string taken = conllu_text(scheme_to_ud(std::move(tree)));
  EXPECT_EQ(taken, copied);
  EXPECT_NE(taken.find("1\tDogs\tDogs\t"), std::string::npos) << taken;
}

// Adds the node of `word` (its root `root`) at `position`, under node
// `head` (-1: none) by `relation`; returns its number.
int add_node(PlainTree& tree, const char* word, const char* root, int position, int head, const char* relation) {
  PlainNode node;
  node.word = word;
  node.root = root;
  node.position = position;
  node.head = head;
  node.relation = relation;
  return tree.add(node);
}

std::string forms(const PlainTree& tree) {
  std::string result;
  for (const PlainToken& token : tree.tokens) result.append(result.empty() ? "" : " ").append(token.form);
  return result;
}

// The tokenizer's "didn" "'t" is the treebank's "did" "n't", written as one
// token "didn't"; "can" "'t" gives "ca" "n't".
TEST(AttachText, NegationTakesTheNOfTheWordBefore) {
  PlainTree tree = tree_of_words({"I", "didn", "'t", "and", "can", "’t"});
  attach_text(tree, "I didn't and can’t");
  EXPECT_EQ(forms(tree), "I did n't and ca n’t");
  EXPECT_EQ(tree.nodes[2].position, 3);
  UdSentence sentence = scheme_to_ud(tree);
  // The treebank writes both contractions as one token of two words.
  ASSERT_EQ(sentence.multiwords.size(), 2u);
  EXPECT_EQ(sentence.multiwords[0].form, "didn't");
  EXPECT_EQ(sentence.multiwords[1].form, "can’t");
}

// Words the treebank writes as two: the node stays with the first, the
// second is a token without a node; later nodes move up.
TEST(AttachText, FusedWordsAreWrittenAsTheirParts) {
  PlainTree tree = tree_of_words({"I", "cannot", "go"});
  attach_text(tree, "I cannot go");
  EXPECT_EQ(forms(tree), "I can not go");
  EXPECT_EQ(tree.nodes[1].position, 2);
  EXPECT_EQ(tree.nodes[2].position, 4);
  EXPECT_EQ(scheme_to_ud(tree).multiwords.size(), 1u);
}

// Ellipses, signs, commas between letters and slashes between words stand
// apart; addresses, "w/", "b/c", dates and numbers stay whole.
TEST(AttachText, PunctuationInsideAWordStandsApart) {
  PlainTree tree = tree_of_words({"maybe...so", "$5,000", "and/or", "Baltimore,MD", "w/it", "b/c", "11/28/2000",
                                  "ann@x.com", "'proof", "Iran’s", "#1", "#tag"});
  attach_text(tree, "maybe...so $5,000 and/or Baltimore,MD w/it b/c 11/28/2000 ann@x.com 'proof Iran’s #1 #tag");
  EXPECT_EQ(forms(tree),
            "maybe ... so $ 5,000 and / or Baltimore , MD w/ it b/c 11/28/2000 ann@x.com ' proof Iran ’s # 1 #tag");
  EXPECT_EQ(tree.nodes[1].position, 5);  // "$5,000": the number keeps the node
  EXPECT_EQ(tree.nodes[8].position, 18);
}

// A smiley and a run of question and exclamation marks are one token; the
// nodes of the tokens taken in become empty.
TEST(AttachText, SmileysAndRunsOfMarksAreOneToken) {
  PlainTree tree = tree_of_words({"ok", ":", ")", "really", "!", "?", "yes", ".", "\""});
  attach_text(tree, "ok :) really!? yes.\"");
  EXPECT_EQ(forms(tree), "ok :) really !? yes . \"");
  EXPECT_EQ(tree.nodes[2].position, 0);
  EXPECT_EQ(tree.nodes[4].position, 4);
  EXPECT_EQ(tree.nodes[5].position, 0);
  EXPECT_EQ(tree.nodes[6].position, 5);
}

// Telephone numbers and codes cut at their hyphens are one token again,
// ranges are not; brackets around an address stand apart; an abbreviation
// that ends the sentence gives up its full stop.
TEST(AttachText, NumbersAddressesAndTheLastFullStop) {
  PlainTree tree = tree_of_words({"call", "713", "-", "853", "-", "3989", "or", "646", "-", "8420", "in", "1969", "-",
                                  "1970", "<ann@x.com>", "in", "the", "U.S."});
  attach_text(tree, "call 713-853-3989 or 646-8420 in 1969-1970 <ann@x.com> in the U.S.");
  EXPECT_EQ(forms(tree), "call 713-853-3989 or 646-8420 in 1969 - 1970 < ann@x.com > in the U.S .");
  EXPECT_EQ(tree.nodes[1].position, 2);
  EXPECT_EQ(tree.nodes[2].position, 0);
  EXPECT_EQ(tree.nodes[5].position, 0);
  EXPECT_EQ(tree.nodes[6].position, 3);
  EXPECT_EQ(tree.nodes[14].position, 10);
  EXPECT_EQ(tree.nodes[17].position, 14);
}

// A run of marks the lexicon read as one item ("----==" from four hyphens
// and "==") is one token, its other pieces stand for none; loose runs of
// line-drawing marks glued together ("==" "----") are one token too.
TEST(AttachText, RulerLinesAreOneTokenEach) {
  PlainTree tree;
  auto add = [&](const char* word, const char* root, int position, int head, const char* relation) {
    return add_node(tree, word, root, position, head, relation);
  };
  int ruler = add("-", "----==", 1, -1, "punc");
  for (int p = 2; p <= 4; ++p) add("-", "-", p, ruler, "lex-mod");
  add("==", "==", 5, ruler, "lex-mod");
  add("News", "news", 6, -1, "");
  attach_text(tree, "----== News==----");
  EXPECT_EQ(forms(tree), "----== News ==----");
  EXPECT_EQ(tree.nodes[0].position, 1);
  EXPECT_EQ(tree.nodes[1].position, 0);
  EXPECT_EQ(tree.nodes[4].position, 0);
  EXPECT_EQ(tree.nodes[5].position, 2);
}

// The pieces of a run of marks read as one item take no text after the
// item: the full stop after "$$$" is a token of its own, not the second "$".
TEST(AttachText, ARunOfMarksAtTheEndLeavesTheFullStopAlone) {
  PlainTree tree;
  auto add = [&](const char* word, const char* root, int position, int head, const char* relation) {
    return add_node(tree, word, root, position, head, relation);
  };
  add("about", "about", 1, -1, "");
  int money = add("$", "$$$", 2, 0, "pcomp");
  add("$", "$", 3, money, "lex-mod");
  add("$", "$", 4, money, "lex-mod");
  attach_text(tree, "about $$$.");
  EXPECT_EQ(forms(tree), "about $$$ .");
  EXPECT_EQ(tree.nodes[1].position, 2);
  EXPECT_EQ(tree.nodes[2].position, 0);
  EXPECT_EQ(tree.nodes[3].position, 0);
}

// A surname written with an apostrophe after its initial is one token,
// which keeps the initial's node; the rest of the name stands for none.
TEST(AttachText, ASurnameWithAnApostropheIsOneToken) {
  PlainTree tree = tree_of_words({"Ask", "O", "'Neill", "and", "L", "'s"});
  attach_text(tree, "Ask O'Neill and L's");
  EXPECT_EQ(forms(tree), "Ask O'Neill and L 's");
  EXPECT_EQ(tree.nodes[1].position, 2);
  EXPECT_EQ(tree.nodes[2].position, 0);
  EXPECT_EQ(tree.nodes[3].position, 3);
}

// A prefix joined by a hyphen stays in one token with its word, which
// keeps its node; the prefix's node stands for no token.
TEST(AttachText, WordsWithAHyphenatedPrefixAreOneToken) {
  PlainTree tree = tree_of_words({"an", "e", "mail", "from", "self", "-", "help"});
  attach_text(tree, "an e-mail from self-help");
  EXPECT_EQ(forms(tree), "an e-mail from self - help");
  EXPECT_EQ(tree.nodes[1].position, 0);
  EXPECT_EQ(tree.nodes[2].position, 2);
  EXPECT_EQ(tree.nodes[3].position, 3);
  EXPECT_EQ(tree.nodes[6].position, 6);
}

// When the lexicon read the prefixed word as one item headed by the prefix
// (its "-" and "mail" lex-mod), the prefix's node keeps the token and the
// pieces after it stand for none.
TEST(AttachText, APrefixedWordReadAsOneItemKeepsTheItemsNode) {
  PlainTree tree;
  auto add = [&](const char* word, int position, int head, const char* relation) {
    return add_node(tree, word, word, position, head, relation);
  };
  add("an", 1, 1, "det");
  const int item = add("e-mail", 2, -1, "");
  add("-", 3, item, "lex-mod");
  add("mail", 4, item, "lex-mod");
  add("arrived", 5, -1, "");
  attach_text(tree, "an e-mail arrived");
  EXPECT_EQ(forms(tree), "an e-mail arrived");
  EXPECT_EQ(tree.nodes[item].position, 2);
  EXPECT_EQ(tree.nodes[2].position, 0);
  EXPECT_EQ(tree.nodes[3].position, 0);
  EXPECT_EQ(tree.nodes[4].position, 3);
}

// Every node comes after its children, a node's children in list order
// (the top's, last first), and the order follows the tree as it is edited.
TEST(TreeEdit, PostOrderFollowsTheEditedTree) {
  // 0 and 3 under the top; 1 and 2 under 0; 4 under 2.
  TreeEdit edit({kTop, 0, 0, kTop, 2});
  EXPECT_EQ(edit.post_order(), (std::vector<int>{3, 1, 4, 2, 0}));
  edit.set_head(0, 3);
  EXPECT_EQ(edit.post_order(), (std::vector<int>{1, 4, 2, 0, 3}));
  edit.promote(4, 2);
  EXPECT_EQ(edit.post_order(), (std::vector<int>{1, 2, 4, 0, 3}));
  const int added = edit.add_node(kTop);
  EXPECT_EQ(edit.post_order(), (std::vector<int>{added, 1, 2, 4, 0, 3}));
  EXPECT_EQ(TreeEdit({}).post_order(), std::vector<int>());
}

// The order is kept from one question to the next until the tree is edited:
// a caller's copy is its own, and an edit, even one that moves a node back
// where it was, makes the order walked anew.
TEST(TreeEdit, PostOrderKeptUntilTheNextEdit) {
  // 0 under the top, 1 under 0, 2 under 1.
  TreeEdit edit({kTop, 0, 1});
  std::vector<int> copy = edit.post_order();
  EXPECT_EQ(copy, (std::vector<int>{2, 1, 0}));
  copy.assign({7, 7});
  EXPECT_EQ(edit.post_order(), (std::vector<int>{2, 1, 0}));
  edit.set_head(2, 0);
  EXPECT_EQ(edit.post_order(), (std::vector<int>{1, 2, 0}));
  edit.set_head(1, 2);
  edit.set_head(1, 0);
  EXPECT_EQ(edit.post_order(), (std::vector<int>{2, 1, 0}));
  // A caller walking its copy while it edits the tree.
  for (int node : edit.post_order())
    if (node == 2) edit.set_head(2, 1);
  EXPECT_EQ(edit.post_order(), (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(edit.children(1), (std::vector<int>{2}));
}

// A text equals a C string when it has the same bytes and no more: not a
// prefix, not a longer text, not one with a NUL byte inside.
TEST(TextEquality, SameBytesAndLength) {
  const std::string obj = "obj";
  EXPECT_TRUE(obj == "obj");
  EXPECT_TRUE("obj" == obj);
  EXPECT_FALSE(obj != "obj");
  EXPECT_FALSE(obj == "ob");
  EXPECT_FALSE(obj == "objs");
  EXPECT_FALSE(obj == "Obj");
  EXPECT_FALSE(obj == "");
  EXPECT_TRUE(std::string() == "");
  EXPECT_FALSE(std::string() == "a");
  EXPECT_FALSE(std::string("ob\0", 3) == "ob");
  const char* nothing_more = "obj\0more";
  EXPECT_TRUE(obj == nothing_more);
}

// The same answers for a view of a text, which may end inside a longer
// text or hold a NUL byte.
TEST(TextEquality, ViewsSameBytesAndLength) {
  const std::string_view obj = "objects";
  EXPECT_TRUE(obj.substr(0, 3) == "obj");
  EXPECT_TRUE("obj" == obj.substr(0, 3));
  EXPECT_FALSE(obj.substr(0, 3) != "obj");
  EXPECT_FALSE(obj == "obj");
  EXPECT_FALSE(obj.substr(0, 2) == "obj");
  EXPECT_FALSE(obj.substr(0, 3) == "Obj");
  EXPECT_FALSE(obj.substr(0, 3) == "");
  EXPECT_TRUE(std::string_view() == "");
  EXPECT_TRUE(obj.substr(7) == "");
  EXPECT_FALSE(std::string_view() == "a");
  EXPECT_FALSE(std::string_view("ob\0", 3) == "ob");
  EXPECT_TRUE(obj.substr(0, 3) == "obj\0more");
}

// Only ASCII capitals change: the bytes of a UTF-8 letter, digits and
// marks around them stay as they are.
TEST(Lower, AsciiCapitalsOnly) {
  EXPECT_EQ(lower("McDONALD's A-Z @[`{"), "mcdonald's a-z @[`{");
  // \xC3\x89 is a capital E with an acute accent, \xC3\xA9 its small letter.
  EXPECT_EQ(lower("\xC3\x89" "COLE \xC3\x89t\xC3\xA9"), "\xC3\x89" "cole \xC3\x89t\xC3\xA9");
  EXPECT_EQ(lower(""), "");
}

TEST(IsPunctuation, AsciiAndUnicodeMarksButNoWords) {
  for (const char* mark : {",", "--", "...", "\u201c", "\u201d", "\u2019", "\u2014", "\u2026", "\u00ab", "!?"})
    EXPECT_TRUE(is_punctuation(mark)) << mark;
  for (const char* word : {"", "a", "3", "\u00e9", "caf\u00e9", "don\u2019t", "\u201chi", "\xe2\x80"})
    EXPECT_FALSE(is_punctuation(word)) << word;
}

TEST(UposFromCategory, PronounsQuantifiersAndNamesAsTheTreebankTagsThem) {
  EXPECT_EQ(upos_from_category("N", "there", 1), "PRON");
  EXPECT_EQ(upos_from_category("N", "Anyone", 1), "PRON");
  EXPECT_EQ(upos_from_category("N", "some", 3), "DET");  // some of them
  EXPECT_EQ(upos_from_category("N", "many", 3), "ADJ");
  EXPECT_EQ(upos_from_category("N", "other", 3), "ADJ");  // each other
  EXPECT_EQ(upos_from_category("N", "best", 3), "ADJ");   // the best
  EXPECT_EQ(upos_from_category("N", "others", 3), "NOUN");
  EXPECT_EQ(upos_from_category("N", "Google", 3), "PROPN");
  EXPECT_EQ(upos_from_category("N", "Google", 1), "NOUN");  // a capital at the start says nothing
  EXPECT_EQ(upos_from_category("U", "bomb", 2), "X");
  EXPECT_EQ(upos_from_category("N", "US", 3), "PROPN");  // the country, not the pronoun
  EXPECT_EQ(upos_from_category("N", "us", 3), "PRON");
  EXPECT_EQ(upos_from_category("Punc", "$", 2), "SYM");
  EXPECT_EQ(upos_from_category("Punc", ":)", 2), "SYM");
  EXPECT_EQ(upos_from_category("Punc", "-", 2), "PUNCT");
  EXPECT_EQ(upos_from_category("", "$", 2), "SYM");  // a token without node
  EXPECT_EQ(upos_from_category("", "/", 2), "SYM");
  EXPECT_EQ(upos_from_category("", ",", 2), "PUNCT");
}

TEST(UposFromCategory, RunsOfHyphensArePunctuationOtherRulersSymbols) {
  EXPECT_EQ(upos_from_category("U", "--", 1), "PUNCT");
  EXPECT_EQ(upos_from_category("U", "----------", 1), "PUNCT");
  EXPECT_EQ(upos_from_category("U", "==========", 1), "SYM");
  EXPECT_EQ(upos_from_category("U", "-", 2), "SYM");  // the hyphen of a range
}

// A reflexive right after a noun stresses it (the hotel itself) and is the
// noun's unmarked modifier; one after a verb keeps its relation.
TEST(SchemeToUd, AReflexiveStressingItsNounIsItsUnmarkedModifier) {
  UdSentence stressed = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(The\t~ Det\t2\tdet\t(gov hotel))\n"
      "2\t(hotel\t~ N\t4\ts\t(gov be))\n"
      "3\t(itself\t~ N\t2\tmod\t(gov hotel))\n"
      "4\t(was\tbe VBE\tE0\ti\t(gov fin))\n"
      "5\t(quiet\t~ A\t4\tpred\t(gov be))\n"
      ")\n",
      "The hotel itself was quiet");
  EXPECT_EQ(attachments(stressed), "2:det 5:nsubj 2:nmod:unmarked 5:cop 0:root ");
  UdSentence on_verb = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov paint))\n"
      "2\t(painted\tpaint V\tE0\ti\t(gov fin))\n"
      "3\t(it\t~ N\t2\tobj\t(gov paint))\n"
      "4\t(myself\t~ N\t2\tmod\t(gov paint))\n"
      ")\n",
      "I painted it myself");
  EXPECT_EQ(attachments(on_verb), "2:nsubj 0:root 2:obj 2:obl:unmarked ");
}

TEST(SchemeToUd, HowFrontedBeforeTheSubjectOfBeWithoutPredicateIsThePredicate) {
  UdSentence bare = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov know))\n"
      "2\t(know\t~ V\tE1\ti\t(gov fin))\n"
      "E0\t(()\tfin C\t2\tcomp\t(gov know))\n"
      "3\t(how\t~ Adv\t6\tmod\t(gov be))\n"
      "4\t(their\t~ N\t5\tgen\t(gov service))\n"
      "5\t(service\t~ N\t6\ts\t(gov be))\n"
      "6\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      ")\n",
      "I know how their service is");
  EXPECT_EQ(attachments(bare), "2:nsubj 0:root 2:ccomp 5:nmod:poss 3:nsubj 3:cop ");
  // The adjective or adverb that "how" measures, even where the parse hung
  // it from the subject.
  UdSentence measured = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(You\t~ N\t2\ts\t(gov know))\n"
      "2\t(know\t~ V\tE1\ti\t(gov fin))\n"
      "E0\t(()\tfin C\t2\tcomp\t(gov know))\n"
      "3\t(how\t~ Adv\t4\tmod\t(gov wrong))\n"
      "4\t(wrong\t~ Adv\t5\tmod\t(gov she))\n"
      "5\t(she\t~ N\t6\ts\t(gov be))\n"
      "6\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      ")\n",
      "You know how wrong she is");
  EXPECT_EQ(attachments(measured), "2:nsubj 0:root 4:advmod 2:ccomp 4:nsubj 4:cop ");
}

TEST(SchemeToUd, WhatBeforeAClauseOfBeWithoutPredicateIsItsPredicate) {
  UdSentence sentence = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Take\t~ V\tE1\ti\t(gov fin))\n"
      "2\t(them\t~ N\t1\tobj\t(gov take))\n"
      "3\t(for\t~ Prep\t1\tmod\t(gov take))\n"
      "4\t(what\t~ N\t3\tpcomp\t(gov for))\n"
      "E0\t(()\tfin C\t4\trel\t(gov what))\n"
      "5\t(they\t~ N\t6\ts\t(gov be))\n"
      "6\t(are\tbe VBE\tE0\ti\t(gov fin))\n"
      ")\n",
      "Take them for what they are");
  EXPECT_EQ(attachments(sentence), "0:root 1:obj 4:case 1:obl 4:nsubj 4:cop ");
  // With a predicate of its own the clause stays a relative clause.
  UdSentence predicate = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(Take\t~ V\tE1\ti\t(gov fin))\n"
      "2\t(what\t~ N\t1\tobj\t(gov take))\n"
      "E0\t(()\tfin C\t2\trel\t(gov what))\n"
      "3\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      "4\t(free\t~ A\t3\tpred\t(gov be))\n"
      ")\n",
      "Take what is free");
  EXPECT_EQ(attachments(predicate), "0:root 1:obj 4:cop 2:acl:relcl ");
}

TEST(SchemeToUd, QuestionPhraseBeforeTheSubjectOfBeIsItsPredicate) {
  // "what" taken as the verb's object, its clause a complement of the verb.
  UdSentence what = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov know))\n"
      "2\t(know\t~ V\tE1\ti\t(gov fin))\n"
      "3\t(what\t~ N\t2\tobj\t(gov know))\n"
      "E0\t(()\tfin C\t2\tcomp\t(gov know))\n"
      "4\t(it\t~ N\t5\ts\t(gov be))\n"
      "5\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      ")\n",
      "I know what it is");
  EXPECT_EQ(attachments(what), "2:nsubj 0:root 2:ccomp 3:nsubj 3:cop ");
  // "how" and its adjective taken as the verb's predicate.
  UdSentence how = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov prove))\n"
      "2\t(proves\tprove V\tE1\ti\t(gov fin))\n"
      "3\t(how\t~ Adv\t4\tmod\t(gov fanatic))\n"
      "4\t(fanatic\t~ A\t2\tpred\t(gov prove))\n"
      "E0\t(()\tfin C\t2\tcomp\t(gov prove))\n"
      "5\t(they\t~ N\t6\ts\t(gov be))\n"
      "6\t(are\tbe VBE\tE0\ti\t(gov fin))\n"
      ")\n",
      "It proves how fanatic they are");
  EXPECT_EQ(attachments(how), "2:nsubj 0:root 4:advmod 2:ccomp 4:nsubj 4:cop ");
  // Under a preposition of the verb, which then marks an adverbial clause.
  UdSentence preposition = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov remark))\n"
      "2\t(remarked\tremark V\tE1\ti\t(gov fin))\n"
      "3\t(on\t~ Prep\t2\tmod\t(gov remark))\n"
      "4\t(how\t~ Adv\t5\tmod\t(gov nice))\n"
      "5\t(nice\t~ A\t3\tpcomp\t(gov on))\n"
      "E0\t(()\tfin C\t2\tpara\t(gov remark))\n"
      "6\t(they\t~ N\t7\ts\t(gov be))\n"
      "7\t(are\tbe VBE\tE0\ti\t(gov fin))\n"
      ")\n",
      "We remarked on how nice they are");
  EXPECT_EQ(attachments(preposition), "2:nsubj 0:root 5:mark 5:advmod 2:advcl 5:nsubj 5:cop ");
  // A word before the subject that asks nothing stays where it was.
  UdSentence plain = from_velmo(
      "(\n"
      "E1\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov know))\n"
      "2\t(know\t~ V\tE1\ti\t(gov fin))\n"
      "3\t(this\t~ N\t2\tobj\t(gov know))\n"
      "E0\t(()\tfin C\t2\tcomp\t(gov know))\n"
      "4\t(it\t~ N\t5\ts\t(gov be))\n"
      "5\t(is\tbe VBE\tE0\ti\t(gov fin))\n"
      ")\n",
      "I know this it is");
  EXPECT_EQ(attachments(plain), "2:nsubj 0:root 2:obj 5:nsubj 2:ccomp ");
}

TEST(SchemeToUd, APlaceOrTimeAfterTwoJoinedVerbsHangsFromTheFirst) {
  UdSentence born = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(He\t~ N\t3\ts\t(gov bear))\n"
      "2\t(was\tbe VB\t3\taux\t(gov bear))\n"
      "3\t(born\tbear V\tE0\ti\t(gov fin))\n"
      "4\t(and\t~ Conn\t5\tcc\t(gov raise))\n"
      "5\t(raised\traise V\t3\tconj\t(gov bear))\n"
      "6\t(in\t~ Prep\t5\tmod\t(gov raise))\n"
      "7\t(Toronto\t~ N\t6\tpcomp\t(gov in))\n"
      ")\n",
      "He was born and raised in Toronto");
  EXPECT_EQ(attachments(born), "3:nsubj:pass 3:aux:pass 0:root 5:cc 3:conj 7:case 3:obl ");
  // Other prepositions rather belong to the second verb (talked and
  // laughed with us).
  UdSentence with = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(They\t~ N\t2\ts\t(gov talk))\n"
      "2\t(talked\ttalk V\tE0\ti\t(gov fin))\n"
      "3\t(and\t~ Conn\t4\tcc\t(gov laugh))\n"
      "4\t(laughed\tlaugh V\t2\tconj\t(gov talk))\n"
      "5\t(with\t~ Prep\t4\tmod\t(gov laugh))\n"
      "6\t(us\t~ N\t5\tpcomp\t(gov with))\n"
      ")\n",
      "They talked and laughed with us");
  EXPECT_EQ(attachments(with), "2:nsubj 0:root 4:cc 2:conj 6:case 4:obl ");
}

TEST(SchemeToUd, AnAdverbAfterExistentialBeModifiesBe) {
  UdSentence also = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(There\t~ N\t2\texpl\t(gov be))\n"
      "2\t(are\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(also\t~ Adv\t5\tmod\t(gov site))\n"
      "4\t(other\t~ A\t5\tmod\t(gov site))\n"
      "5\t(sites\tsite N\t2\ts\t(gov be))\n"
      ")\n",
      "There are also other sites");
  EXPECT_EQ(attachments(also), "2:expl 0:root 2:advmod 5:amod 2:nsubj ");
  // A word of degree or amount stays with what it measures.
  UdSentence only = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(There\t~ N\t2\texpl\t(gov be))\n"
      "2\t(were\tbe VBE\tE0\ti\t(gov fin))\n"
      "3\t(only\t~ Adv\t5\tmod\t(gov guest))\n"
      "4\t(two\t~ Num\t5\tnum\t(gov guest))\n"
      "5\t(guests\tguest N\t2\ts\t(gov be))\n"
      ")\n",
      "There were only two guests");
  EXPECT_EQ(attachments(only), "2:expl 0:root 5:advmod 5:nummod 2:nsubj ");
}

TEST(SchemeToUd, AnAdverbBetweenAVerbAndItsObjectModifiesTheVerb) {
  UdSentence always = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov have))\n"
      "2\t(have\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(always\t~ Adv\t6\tmod\t(gov problem))\n"
      "4\t(the\t~ Det\t6\tdet\t(gov problem))\n"
      "5\t(same\t~ A\t6\tmod\t(gov problem))\n"
      "6\t(problem\t~ N\t2\tobj\t(gov have))\n"
      ")\n",
      "We have always the same problem");
  EXPECT_EQ(attachments(always), "2:nsubj 0:root 2:advmod 6:det 6:amod 2:obj ");
  // A focusing adverb stays with the phrase it stands before.
  UdSentence only = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov have))\n"
      "2\t(have\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(only\t~ Adv\t5\tmod\t(gov problem))\n"
      "4\t(one\t~ Num\t5\tnum\t(gov problem))\n"
      "5\t(problem\t~ N\t2\tobj\t(gov have))\n"
      ")\n",
      "We have only one problem");
  EXPECT_EQ(attachments(only), "2:nsubj 0:root 5:advmod 5:nummod 2:obj ");
}

TEST(SchemeToUd, ABareParticipleAfterTheNounOfWithIsAClause) {
  UdSentence crossed = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(She\t~ N\t2\ts\t(gov sit))\n"
      "2\t(sat\tsit V\tE0\ti\t(gov fin))\n"
      "3\t(with\t~ Prep\t2\tmod\t(gov sit))\n"
      "4\t(her\t~ N\t5\tgen\t(gov leg))\n"
      "5\t(legs\tleg N\t3\tpcomp\t(gov with))\n"
      "6\t(crossed\tcross V\t5\tmod\t(gov leg))\n"
      "7\t(.\t~ Punc\t2\tpunc\t(gov sit))\n"
      ")\n",
      "She sat with her legs crossed.");
  EXPECT_EQ(attachments(crossed), "2:nsubj 0:root 6:mark 5:nmod:poss 6:nsubj 2:advcl 2:punct ");
  EXPECT_EQ(crossed.words[2].upos, "SCONJ");
  // One with words of its own modifies the noun.
  UdSentence used = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(It\t~ N\t2\ts\t(gov fit))\n"
      "2\t(fits\tfit V\tE0\ti\t(gov fin))\n"
      "3\t(with\t~ Prep\t2\tmod\t(gov fit))\n"
      "4\t(parts\tpart N\t3\tpcomp\t(gov with))\n"
      "5\t(used\tuse V\t4\tmod\t(gov part))\n"
      "6\t(here\t~ Adv\t5\tmod\t(gov use))\n"
      ")\n",
      "It fits with parts used here");
  EXPECT_EQ(attachments(used), "2:nsubj 0:root 4:case 2:obl 4:acl 5:advmod ");
}

TEST(SchemeToUd, APhraseAfterAnAdverbOfTimeOrPlaceNarrowsTheAdverb) {
  UdSentence later = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov eat))\n"
      "2\t(ate\teat V\tE0\ti\t(gov fin))\n"
      "3\t(later\t~ Adv\t2\tmod\t(gov eat))\n"
      "4\t(in\t~ Prep\t2\tmod\t(gov eat))\n"
      "5\t(the\t~ Det\t6\tdet\t(gov day))\n"
      "6\t(day\t~ N\t4\tpcomp\t(gov in))\n"
      ")\n",
      "We ate later in the day");
  EXPECT_EQ(attachments(later), "2:nsubj 0:root 2:advmod 6:case 6:det 3:obl ");
  // Other prepositions leave the phrase where it is (got anywhere without
  // help).
  UdSentence without = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov get))\n"
      "2\t(got\tget V\tE0\ti\t(gov fin))\n"
      "3\t(anywhere\t~ Adv\t2\tmod\t(gov get))\n"
      "4\t(without\t~ Prep\t2\tmod\t(gov get))\n"
      "5\t(help\t~ N\t4\tpcomp\t(gov without))\n"
      ")\n",
      "We got anywhere without help");
  EXPECT_EQ(attachments(without), "2:nsubj 0:root 2:advmod 5:case 2:obl ");
}

TEST(SchemeToUd, NotBeforeAnAdverbOutsideTheVerbGroupNegatesTheAdverb) {
  UdSentence surprisingly = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Not\t~ Adv\t4\tmod\t(gov leave))\n"
      "2\t(surprisingly\t~ Adv\t4\tmod\t(gov leave))\n"
      "3\t(they\t~ N\t4\ts\t(gov leave))\n"
      "4\t(left\tleave V\tE0\ti\t(gov fin))\n"
      ")\n",
      "Not surprisingly they left");
  EXPECT_EQ(attachments(surprisingly), "2:advmod 4:advmod 4:nsubj 0:root ");
  // After an auxiliary it stays with the verb.
  UdSentence really = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t5\ts\t(gov like))\n"
      "2\t(do\t~ VB\t5\taux\t(gov like))\n"
      "3\t(not\t~ Adv\t5\tmod\t(gov like))\n"
      "4\t(really\t~ Adv\t5\tmod\t(gov like))\n"
      "5\t(like\t~ V\tE0\ti\t(gov fin))\n"
      "6\t(it\t~ N\t5\tobj\t(gov like))\n"
      ")\n",
      "I do not really like it");
  EXPECT_EQ(attachments(really), "5:nsubj 5:aux 5:advmod 5:advmod 0:root 5:obj ");
}

TEST(SchemeToUd, AboutAfterAPrepositionMeasuresTheAmount) {
  UdSentence month = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov move))\n"
      "2\t(move\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(in\t~ Prep\t2\tmod\t(gov move))\n"
      "4\t(about\t~ Adv\t6\tmod\t(gov month))\n"
      "5\t(a\t~ Det\t6\tdet\t(gov month))\n"
      "6\t(month\t~ N\t3\tpcomp\t(gov in))\n"
      ")\n",
      "We move in about a month");
  EXPECT_EQ(attachments(month), "2:nsubj 0:root 6:case 6:advmod 6:det 2:obl ");
  // Without a preposition before it, "about" is the noun's own case marker.
  UdSentence lifestyle = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov talk))\n"
      "2\t(talk\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(about\t~ Adv\t5\tmod\t(gov lifestyle))\n"
      "4\t(the\t~ Det\t5\tdet\t(gov lifestyle))\n"
      "5\t(lifestyle\t~ N\t2\tobj\t(gov talk))\n"
      ")\n",
      "We talk about the lifestyle");
  EXPECT_EQ(attachments(lifestyle), "2:nsubj 0:root 5:case 5:det 2:obl ");
}

TEST(SchemeToUd, YouOrThereAsADeterminerIsAPossessivePronoun) {
  UdSentence database = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Update\t~ V\tE0\ti\t(gov fin))\n"
      "2\t(you\t~ Det\t3\tdet\t(gov database))\n"
      "3\t(database\t~ N\t1\tobj\t(gov update))\n"
      ")\n",
      "Update you database");
  EXPECT_EQ(attachments(database), "0:root 3:nmod:poss 1:obj ");
  EXPECT_EQ(database.words[1].upos, "PRON");
  EXPECT_EQ(database.words[1].lemma, "your");
  UdSentence money = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Take\t~ V\tE0\ti\t(gov fin))\n"
      "2\t(There\t~ Det\t3\tdet\t(gov money))\n"
      "3\t(money\t~ N\t1\tobj\t(gov take))\n"
      ")\n",
      "Take There money");
  EXPECT_EQ(attachments(money), "0:root 3:nmod:poss 1:obj ");
  EXPECT_EQ(money.words[1].upos, "PRON");
  EXPECT_EQ(money.words[1].lemma, "their");
  // Another determiner stays one.
  UdSentence that = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(Take\t~ V\tE0\ti\t(gov fin))\n"
      "2\t(that\t~ Det\t3\tdet\t(gov money))\n"
      "3\t(money\t~ N\t1\tobj\t(gov take))\n"
      ")\n",
      "Take that money");
  EXPECT_EQ(attachments(that), "0:root 3:det 1:obj ");
  EXPECT_EQ(that.words[1].upos, "DET");
}

TEST(SchemeToUd, GetBeforeAPastParticipleIsItsPassiveAuxiliary) {
  UdSentence tossed = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(My\t~ N\t2\tgen\t(gov bed))\n"
      "2\t(bed\t~ N\t4\ts\t(gov toss))\n"
      "3\t(got\t~ VB\t4\taux\t(gov toss))\n"
      "4\t(tossed\ttoss V\tE0\ti\t(gov fin))\n"
      ")\n",
      "My bed got tossed");
  EXPECT_EQ(attachments(tossed), "2:nmod:poss 4:nsubj:pass 4:aux:pass 0:root ");
  // A modal before it stays a plain auxiliary.
  UdSentence paid = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t4\ts\t(gov pay))\n"
      "2\t(will\t~ VB\t4\taux\t(gov pay))\n"
      "3\t(get\t~ VB\t4\taux\t(gov pay))\n"
      "4\t(paid\tpay V\tE0\ti\t(gov fin))\n"
      ")\n",
      "We will get paid");
  EXPECT_EQ(attachments(paid), "4:nsubj:pass 4:aux 4:aux:pass 0:root ");
  // Other auxiliaries before a participle make no passive.
  UdSentence have = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t3\ts\t(gov pay))\n"
      "2\t(have\t~ VB\t3\taux\t(gov pay))\n"
      "3\t(paid\tpay V\tE0\ti\t(gov fin))\n"
      ")\n",
      "We have paid");
  EXPECT_EQ(attachments(have), "3:nsubj 3:aux 0:root ");
}


TEST(SchemeToUd, ACompassPointBeforeOfIsAnAdverbOfPlace) {
  UdSentence west = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov live))\n"
      "2\t(live\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(50\t~ Num\t4\tnum\t(gov km))\n"
      "4\t(km\t~ N\t5\tnn\t(gov west))\n"
      "5\t(west\t~ N\t2\tobj\t(gov live))\n"
      "6\t(of\t~ Prep\t5\tmod\t(gov west))\n"
      "7\t(Baghdad\t~ N\t6\tpcomp\t(gov of))\n"
      ")\n",
      "We live 50 km west of Baghdad");
  EXPECT_EQ(attachments(west), "2:nsubj 0:root 4:nummod 5:obl:unmarked 2:advmod 7:case 5:obl ");
  EXPECT_EQ(west.words[4].upos, "ADV");
  // With its determiner it is the region itself, a noun.
  UdSentence region = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(We\t~ N\t2\ts\t(gov visit))\n"
      "2\t(visit\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(the\t~ Det\t4\tdet\t(gov west))\n"
      "4\t(west\t~ N\t2\tobj\t(gov visit))\n"
      "5\t(of\t~ Prep\t4\tmod\t(gov west))\n"
      "6\t(Iraq\t~ N\t5\tpcomp\t(gov of))\n"
      ")\n",
      "We visit the west of Iraq");
  EXPECT_EQ(attachments(region), "2:nsubj 0:root 4:det 2:obj 6:case 4:nmod ");
  EXPECT_EQ(region.words[3].upos, "NOUN");
}
}  // namespace
TEST(SchemeToUd, JoinedPrepositionsShareTheNounAfterTheSecond) {
  UdSentence shared = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov live))\n"
      "2\t(live\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(in\t~ Prep\t2\tmod\t(gov live))\n"
      "4\t(or\t~ Conn\t5\tcc\t(gov around))\n"
      "5\t(around\t~ Prep\t3\tconj\t(gov in))\n"
      "6\t(the\t~ Det\t7\tdet\t(gov city))\n"
      "7\t(city\t~ N\t5\tpcomp\t(gov around))\n"
      ")\n",
      "I live in or around the city");
  EXPECT_EQ(attachments(shared), "2:nsubj 0:root 7:case 5:cc 3:conj 7:det 2:obl ");
  // A first preposition with an object of its own joins phrases, not
  // prepositions: the second noun is the conjunct of the first.
  UdSentence phrases = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov live))\n"
      "2\t(live\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(in\t~ Prep\t2\tmod\t(gov live))\n"
      "4\t(town\t~ N\t3\tpcomp\t(gov in))\n"
      "5\t(or\t~ Conn\t6\tcc\t(gov around))\n"
      "6\t(around\t~ Prep\t3\tconj\t(gov in))\n"
      "7\t(the\t~ Det\t8\tdet\t(gov city))\n"
      "8\t(city\t~ N\t6\tpcomp\t(gov around))\n"
      ")\n",
      "I live in town or around the city");
  EXPECT_EQ(attachments(phrases), "2:nsubj 0:root 4:case 2:obl 8:cc 8:case 8:det 4:conj ");
  // Nor does a preposition with words between it and the conjunction.
  UdSentence apart = from_velmo(
      "(\n"
      "E0\t(()\tfin C\t*\t)\n"
      "1\t(I\t~ N\t2\ts\t(gov live))\n"
      "2\t(live\t~ V\tE0\ti\t(gov fin))\n"
      "3\t(in\t~ Prep\t2\tmod\t(gov live))\n"
      "4\t(here\t~ Adv\t2\tmod\t(gov live))\n"
      "5\t(or\t~ Conn\t6\tcc\t(gov around))\n"
      "6\t(around\t~ Prep\t3\tconj\t(gov in))\n"
      "7\t(the\t~ Det\t8\tdet\t(gov city))\n"
      "8\t(city\t~ N\t6\tpcomp\t(gov around))\n"
      ")\n",
      "I live in here or around the city");
  EXPECT_EQ(attachments(apart), "2:nsubj 0:root 2:obl 2:advmod 8:cc 8:case 8:det 3:conj ");
}

}  // namespace velmo::ud
