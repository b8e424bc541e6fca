;; The English grammar of velmo: categories, positions and links that build
;; the trees of SCHEME.md. Lexical categories head their own phrases (a noun
;; takes its determiner, adjectives and modifiers; a verb its subject,
;; auxiliaries and adjuncts); the empty clause head is category C.

(def-korvel-parser english-grammar
  :attribute-vector-type syn
  :lexical-analyzer english-analyzer
  :lexical-attributes (cat node cform pform role num person case pron vform tense degree
                       lexitem move trace slash check control govern guest last_conj cm gap)
  :default-percolating-attributes (move trace)
  :dist "en/stats/dist.txt"
  :bad-triples "en/stats/bad-triples.txt")

;; Corpus statistics of EWT train (en/stats/README): the relation database
;; weighs every dependency when the best tree is chosen.
(open-reldb english-relations "en/stats/relations.hdr")
(set-reldb english-grammar english-relations)

;; Conditions on the items of a link.
;; A phrase that took a coordinating conjunction is a later conjunct: it
;; attaches through conj only, never as an argument or adjunct.
;; The conjunction marks its phrase (last_conj): packing then keeps a phrase
;; that took the conjunction apart from one whose modifier took it.
(defun marked-conjunct () (comp (pitem-attvec) (modify syn ((last_conj +)))))
;; "either" or "neither" before the first conjunct makes no later conjunct
;; of it: that phrase still takes the later ones and serves its clause
;; (Neither the manager nor his staff called). Not "both", which is more
;; often a determiner or pronoun (held-out train sentences lose with it).
(defun correlative-only () (comp (get-modifier-by-type cc) (pitem-head-word) (in ("either" "Either" "neither" "Neither"))))
(defun no-cc () (or (not (get-modifier-by-type cc)) (correlative-only)))
;; "as well as", an adverb the treebank uses as a coordinating conjunction.
(defun as-well-as () (comp (pitem-head-word) (in ("as well as"))))
;; A comma before a subject belongs to the clause, not to the noun.
(defun no-punc () (not (get-modifier-by-type punc)))
(defun expletive () (comp (pitem-head-word) (reg-match "^[Tt]here$")))
(defun not-expletive () (not (expletive)))
(defun finite () (comp (pitem-attvec) (strict-unifiable syn (vform) (attvec syn ((vform fin))))))
;; An infinitive never has a subject of its own: with one, the base form is
;; a present tense (That's it, I know).
(defun base-form () (and (comp (pitem-attvec) (strict-unifiable syn (vform) (attvec syn ((vform base)))))
                         (not (get-modifier-by-type s))))
(defun gerund () (comp (pitem-attvec) (strict-unifiable syn (vform) (attvec syn ((vform ing))))))
(defun participle () (comp (pitem-attvec) (strict-unifiable syn (vform) (attvec syn ((vform ing en))))))
(defun starts-with-punctuation () (comp (pitem-head-word) (reg-match "^([,;:]|--? )")))
(defun coordinated () (or (and (get-modifier-by-type cc) (not (correlative-only))) (starts-with-punctuation)))
;; Later conjuncts all hang from the first: a later conjunct takes none.
(defun conjunct () (and (coordinated) (not (get-modifier-by-type conj))))
;; A verb phrase that may be an infinitive joins no verb that cannot be one:
;; it is a conjunct of the infinitive before it (makes me want to rush out
;; and rescue people).
(defun base-possible () (comp (pitem-attvec) (strict-unifiable syn (vform) (attvec syn ((vform base))))))
(defun matching-conjunct-form () (or (not (comp (pitem-modifier) (base-possible))) (comp (pitem-modifiee) (base-possible))))
;; Nor does it pass over a clause or infinitive its verb took: it rather
;; joins that one (asked him to get the resume and start a file).
(defun over-complement () (comp (pitem-modifiee) (get-modifier-by-type comp)))
;; An adverbial clause or participle adjunct after the clause, infinitive
;; or gerund that a verb took as its complement belongs to the verb inside
;; that complement, not to the verb before it (I thought he wanted to see
;; her because it rained: "rained" hangs from "see"). On the train split,
;; of adverbial clauses after a finite complement 361 hang inside it and
;; 32 from the verb that took it; after an infinitive or other open
;; complement, 514 inside and 121 outside. So does an adverb after it
;; (went to hang flags over there): 807 inside, 36 on the verb that took it.
(defun took-complement () (get-modifier-by-type comp))
;; A verb that took an infinitive (or other verb phrase) as complement
;; takes no object after it: the noun phrase there is the inner verb's
;; object (want to discuss everything, need to pay them the deposit). On
;; the train split 9 of 5,073 verbs with a complement to their right have
;; an object after it (find attached the file). A clause complement is
;; left out: the subject after a verb of saying follows the words it
;; reports.
(defun took-verb-complement () (comp (get-modifier-by-type comp) (not (comp (pitem-attvec) (defined syn (cform))))))
;; The verb's last adjunct is a clause at the right end of its phrase (an
;; adverbial clause after the verb: stay home unless they need me): a
;; prepositional phrase after it belongs inside that clause (at the store
;; hangs from need; train: 1,779 such phrases inside the clause, 38 on the
;; verb). The clause's end tells it from a fronted one, which ends before
;; the verb.
(defun clause-adjunct-after () (and (comp (get-modifier-by-type mod) (comp (pitem-attvec) (defined syn (cform)))) (int-eq (comp (get-modifier-by-type mod) (pitem-high)) (pitem-high))))
;; So does one after a conjoined verb phrase at the end of the verb's
;; phrase (restart it or plug it into another socket: into hangs from
;; plug); train: 1,833 phrases after a later verb conjunct hang inside it,
;; 35 from the verb before.
(defun conjunct-after () (and (get-modifier-by-type conj) (int-eq (comp (get-modifier-by-type conj) (pitem-high)) (pitem-high))))
;; The same holds after the predicate of "be" when that predicate took a
;; complement (is willing to pay the fee if the service improves: "improves"
;; hangs from "pay"), and after an adjective's own complement.
(defun predicate-took-complement () (or (took-complement) (comp (get-modifier-by-type pred) (get-modifier-by-type comp))))
;; A verb of saying right after a comma or the closing quote after it, with
;; no conjunction: the verb of a report after the words it
;; reports ("We won," said Ann), not a conjunct of their verb unless it
;; reports a clause after it (..., stated they had seen it).
(defun report-after-comma () (and (no-cc) (comp (pitem-head-child) (pitem-preceding-word) (in ("," "\"" "''" "”" "’’")))
                                  (comp (pitem-head-child) (pitem-head-word) (reg-match "^(said|says|asked|asks|added|adds|wrote|writes|explained|explains|noted|notes|continued|continues|replied|replies|recalled|recalls|declared|insisted|warned|argued|argues|claimed|stated|concluded|reported|announced|admitted|observed|cautioned)( .*)?$"))))
;; (Such a verb opens its phrase when the clause it took follows it.)
(defun report-opens-phrase () (comp (pitem-head-word) (reg-match "^([^A-Za-z0-9 ]+ )*(said|says|asked|asks|added|adds|wrote|writes|explained|explains|noted|notes|continued|continues|replied|replies|recalled|recalls|declared|insisted|warned|argued|argues|claimed|stated|concluded|reported|announced|admitted|observed|cautioned)( .*)?$")))
;; Conjoined verb phrases share the first one's subject; a conjunct with a
;; subject of its own is a conjoined clause; a report after the words it
;; reports is none.
(defun shared-subject-conjunct () (and (conjunct) (not (get-modifier-by-type s)) (not (get-modifier-by-type expl))
                                              (not (and (report-after-comma) (or (not (get-modifier-by-type comp)) (not (report-opens-phrase)))))))
(defun fin-clause () (comp (pitem-attvec) (att-str-val cform) (str= "fin")))
;; A clause without complementiser attaches below a word only with its own
;; subject: a subjectless finite verb is an imperative, a main clause.
;; A complementiser counts only with its clause.
(defun complete-clause () (or (fin-clause) (get-modifier-by-type i)))
;; So does a finite clause opened by a verb that holds its own subject,
;; written without the apostrophe (I think its fine; Im sure thats right):
;; it is a complement like "it is fine", not a clause on its own.
(defun full-clause () (and (no-cc) (complete-clause) (or (not (fin-clause)) (get-modifier-by-type s)
                                                         (comp (pitem-head-word) (reg-match "^([^A-Za-z0-9 ]+ )*([Ii]ts|[Ii]m|[Tt]hats|[Ii]ve|[Yy]oure|[Hh]es|[Ss]hes|[Tt]heyre|[Tt]heres|[Ww]hats)( .*)?$")))))
;; A noun of what is said, thought or known (the fact that ..., the idea
;; that ...) takes the clause right after it as its own content: such a
;; clause is no complement of the verb or adjective before the noun
;; (affirmed the allegations that ..., lay in the fact that ...). On the
;; train split 43 of 44 clauses opened by "that" right after these forms
;; belong to the noun, and the other is an extraposed subject (It was beyond
;; belief that ...), no complement either. (Forms that are verbs too, claim,
;; hope, doubt, fear, stay out: I hope that ...)
(defun after-content-noun () (comp (pitem-preceding-word) (in ("fact" "facts" "idea" "ideas" "possibility" "possibilities" "news" "belief" "beliefs"
                                                         "notion" "assumption" "assumptions" "assertion" "assertions" "suggestion" "suggestions"
                                                         "impression" "indication" "indications" "suspicion" "suspicions" "feeling" "conclusion"
                                                         "reminder" "likelihood" "probability" "rumor" "rumors" "rumour" "rumours" "perception"
                                                         "allegation" "allegations" "expectation" "expectations" "realization" "realisation"
                                                         "proof" "evidence" "premise" "consensus"))))
(defun clause-complement () (and (full-clause) (not (starts-with-punctuation)) (not (after-content-noun))))
;; A loosely joined clause (parataxis): a finite clause without complementiser
;; or conjunction, with a subject of its own.
;; Brackets: a phrase or clause that takes the opening bracket before it takes
;; the closing one after it too, and stands as an apposition or parataxis.
;; Double angle brackets enclose an attachment's name in a mail (<< File: a.doc >>).
(defun opening-bracket () (comp (pitem-head-word) (in ("(" "[" "<<"))))
(defun closing-bracket () (comp (pitem-head-word) (in (")" "]" ">>"))))
(defun bracketed () (comp (pitem-head-word) (reg-match "[([]|<<")))
(defun para-clause () (and (fin-clause) (full-clause) (or (starts-with-punctuation) (bracketed)) (not (comp (pitem-head-word) (reg-match "^, ([A-Za-z]+ )?([Ww]hich|[Ww]ho|[Ww]hom|[Ww]hose) .*")))))
;; Without punctuation (a run-on sentence) only as a last resort.
;; A clause opened by who, which or whose.
(defun wh-subject-clause () (comp (pitem-head-word) (reg-match "^([Ww]ho|[Ww]hich|[Ww]hose) ")))
;; A finite clause whose object is a fronted "that", on its verb or on the
;; clause itself.
(defun that-word () (comp (pitem-head-word) (reg-match "^[Tt]hat$")))
(defun that-object-clause () (or (comp (get-modifier-by-type obj) (that-word))
                                 (comp (get-modifier-by-type i) (get-modifier-by-type obj) (that-word))))
;; A clause opened by a relative word (that, which, who ...) is rather a
;; relative clause; one whose verb may be a past participle is rather that
;; participle after a noun (has a memoir called ..., get them kicked).
(defun run-on-clause () (and (fin-clause) (full-clause) (not (starts-with-punctuation)) (not (bracketed)) (not (comp (pitem-head-word) (reg-match "^([Tt]hat|[Ww]hich|[Ww]ho|[Ww]hom|[Ww]hose)( |$)")))))
;; A gerund without subject or auxiliary of its own can be a subject.
(defun gerund-subject () (and (gerund) (no-cc) (no-punc) (not (get-modifier-by-type s)) (not (get-modifier-by-type aux))))
;; A preposition before the verb has its object (a stranded one follows it:
;; the house I live in).
(defun with-object () (get-modifier-by-type pcomp))
;; A mark that a phrase takes before it as its punctuation: a comma,
;; semicolon, colon, dash, or an ellipsis (I waited for you ... until it
;; got dark). Without the ellipsis the phrase after it was often left a
;; piece of its own: on the train sentences with one, 11 more heads right.
(defun comma () (comp (pitem-head-word) (in ("," ";" ":" "-" "--" "..."))))
(defun bare-item () (and (head-first) (head-last)))
(defun before-punctuation () (pitem-following-word (in ("," ";" ":" "-" "--" "(" ")" "\"" "'" "/"))))
(defun lexical-item () (comp (pitem-attvec) (defined syn (lexitem))))
;; A relative clause opens with its relative word; without one (the book I
;; read) its verb has no object of its own, the gap.
;; The relative word may come with its preposition (the premise with which
;; they act, some of whom left).
(defun relative-word () (comp (pitem-head-word) (reg-match "^(, )?(([Ii]n|[Oo]n|[Aa]t|[Tt]o|[Ww]ith|[Ff]or|[Ff]rom|[Bb]y|[Oo]f|[Uu]nder|[Tt]hrough|[Dd]uring|[Aa]bout|[Ii]nto|[Uu]pon|[Ww]ithin|[Ww]ithout|[Oo]ver|[Aa]fter|[Bb]efore|[Bb]ehind|[Bb]etween|[Aa]mong|[Aa]gainst|[Tt]owards?|[Bb]eyond|[Aa]cross|[Aa]round|[Bb]elow|[Aa]bove|[A-Za-z]+ of) ([Ww]hich|[Ww]hom|[Ww]hose)|[Tt]hat|[Ww]hich|[Ww]ho|[Ww]hom|[Ww]hose|[Ww]here|[Ww]hen|[Ww]hy)( |$)")))
;; A prepositional phrase of a relative word (with which, to whom); "of"
;; is left out, its phrase belongs to the word before it (some of which).
(defun relative-phrase () (comp (pitem-head-word) (reg-match "^([Ii]n|[Oo]n|[Aa]t|[Tt]o|[Ww]ith|[Ff]or|[Ff]rom|[Bb]y|[Uu]nder|[Tt]hrough|[Dd]uring|[Aa]bout|[Ii]nto|[Uu]pon|[Ww]ithin|[Ww]ithout|[Oo]ver|[Aa]fter|[Bb]efore|[Bb]ehind|[Bb]etween|[Aa]mong|[Aa]gainst|[Tt]owards?|[Bb]eyond|[Aa]cross|[Aa]round|[Bb]elow|[Aa]bove) ([Ww]hich|[Ww]hom)$")))
;; (nor a predicate: the place I was, never the gal was hot).
;; Without one it begins with its subject (the time I walked in, never the
;; piece on the war Qaeda has printed).
(defun subject-first () (int-eq (pitem-low) (comp (get-modifier-by-type s) (pitem-low))))
;; A clause opened by a capitalised word other than "I" after a capitalised
;; noun: its subject is likely the rest of one longer name.
(defun name-after-name-clause () (and (comp (pitem-modifiee) (pitem-head-child) (pitem-head-word) (reg-match "^[A-Z].*"))
                                      (comp (pitem-modifier) (pitem-head-word) (reg-match "^[A-Z].*"))
                                      (not (comp (pitem-modifier) (pitem-head-word) (reg-match "^I( .*)?$")))))
;; A relative clause without relative word has a pronoun as subject (the
;; book I read, the way you see it); with a noun as subject the clause is
;; rather one of its own (the flowers were lovely the staff was nice). In
;; three tenths of the train split, 174 of 188 such clauses have a pronoun
;; subject, and of the 113 we built with a noun subject, 6 were right.
(defun pronoun-subject-clause () (comp (get-modifier-by-type s) (pitem-head-word) (reg-match "^(I|i|[Yy]ou|u|[Hh]e|[Ss]he|[Ii]t|[Ww]e|[Tt]hey|[Tt]his|[Oo]ne)$")))
;; A clause whose subject has a determiner or possessor, or is a name (the
;; care my dog received, the date Ann left): as a relative clause without
;; relative word it is right far more often than one whose subject is a bare
;; common noun, which rather opens a clause of its own or is the last part
;; of a compound (the LTTE maritime disaster was reported). On the train
;; split, of such relative clauses we built with a noun subject, 43 of 120
;; were right with a determined or proper subject, 11 of 90 with a bare
;; common noun.
(defun determined-subject-clause () (comp (get-modifier-by-type s) (or (get-modifier-by-type det) (get-modifier-by-type gen) (comp (pitem-head-child) (pitem-head-word) (reg-match "^[A-Z].*")))))
(defun relative-clause () (or (relative-word) (and (not (starts-with-punctuation)) (not (get-modifier-by-type obj)) (not (get-modifier-by-type pred))
                                                   (subject-first))))
;; Such a clause that has its object or predicate: after "time" it needs
;; no gap (every time I call them; in the train split "time" has about as
;; many such clauses as ones with a gap, other nouns of time hardly any).
(defun gapless-relative-clause () (and (comp (pitem-preceding-word) (in ("time" "times" "Time" "Times" "TIME"))) (not (starts-with-punctuation)) (subject-first)))
(defun time-word () (comp (pitem-head-child) (pitem-head-word) (reg-match "^([Tt]ime|[Tt]imes|TIME)$")))
;; A relative clause without relative word whose subject is neither a
;; pronoun nor determined (or that reads as the rest of a longer name).
(defun bare-subject-relative () (or (name-after-name-clause)
                                    (and (not (comp (pitem-modifier) (pronoun-subject-clause)))
                                         (not (comp (pitem-modifier) (determined-subject-clause))))))
;; A name used as a compound part leaves the adjectives in small letters
;; before it to the last noun (major Hamas leaders, a large Air Force
;; base); capitalised ones belong to the name (Supreme Court cases).
(defun adjective-on-name () (and (comp (pitem-head-child) (pitem-head-word) (reg-match "^[A-Z][A-Za-z.]*$"))
                                 (comp (get-modifier-by-type mod) (pitem-head-word) (reg-match "^[a-z].*"))))
;; A year right after a capitalised noun dates that name (the Cheney 2000
;; campaign, a May 2001 letter, the WTC 1993 plotter; train: 19 such years
;; hang from the name, none from the noun after it), like the numbers after
;; label words below. Words that open a phrase of time are left out (In
;; 2004, the 2004 elections).
(defun dated-name () (and (comp (pitem-head-word) (reg-match "^(19|20)[0-9][0-9]$")) (comp (pitem-preceding-word) (reg-match "^[A-Z][A-Za-z.]+$"))
                          (not (pitem-preceding-word (in ("In" "On" "At" "By" "For" "Since" "From" "Until" "Till" "The" "Of" "About" "After" "Before"
                                                          "During" "To" "And" "But" "Or" "Around" "Over" "Under" "Than" "As" "Through" "Between"
                                                          "Within" "Into" "Early" "Late" "Mid" "This" "That" "Last" "Next" "Every" "Each" "Its"
                                                          "His" "Her" "Their" "Our" "My" "Your" "A" "An" "All" "Some" "Any" "No" "Only" "Also"))))))
;; A number right after a word that labels what it numbers (Section 7,
;; Suite 800, Turbine 2, number one) belongs to that word, never to the
;; noun after it, and the two may be a compound part together (the Turbine
;; 2 Purchase Agreement, Section XIII Audit Rights, the number one danger;
;; train: every number after these words hangs from them).
(defun label-word () (reg-match "^(Section|Suite|Stage|Turbine|Box|Day|Article|Apollo|Title|Para|Paragraph|Game|No\\.|number|Order|Accord|Sec\\.|Act|page|Rule)$"))
(defun numbered-label () (or (comp (pitem-preceding-word) (label-word)) (dated-name)))
(defun numbered-label-part () (and (get-modifier-by-type num) (or (comp (pitem-head-child) (pitem-head-word) (label-word))
                                                                  (comp (get-modifier-by-type num) (pitem-head-word) (reg-match "^(19|20)[0-9][0-9]$")))
                                   (not (or (get-modifier-by-type mod) (get-modifier-by-type rel) (get-modifier-by-type conj) (get-modifier-by-type appo)))))
;; A noun before a noun is a compound part with its own adjectives, numbers
;; and compounds (nuclear weapons program, 15 - year term), but without
;; determiner, possessor or anything after it.
(defun compound-part () (and (or (head-last) (numbered-label-part)) (not (get-modifier-by-type det)) (not (get-modifier-by-type gen))
                             (not (get-modifier-by-type poss)) (no-cc) (no-punc) (not (adjective-on-name))))
;; The same with a conjunct of its own, the last word of the phrase.
(defun conjoined-compound-part () (and (get-modifier-by-type conj) (not (get-modifier-by-type det)) (not (get-modifier-by-type gen))
                                       (not (get-modifier-by-type poss)) (no-cc) (no-punc)
                                       (comp (pitem-modifier) (head-last))))
;; Compounds may be written with a hyphen (wheel-chair).
(defun before-comma-or-bracket () (pitem-following-word (in ("," ";" ":" "--" "(" ")" "\"" "'" "/"))))
(defun genitive () (comp (pitem-attvec) (contain syn (case) (attvec syn ((case gen))))))
(defun capitalised () (comp (pitem-head-word) (reg-match "^[A-Z][A-Za-z.]*$")))
;; Question and relative words stand before the clause as its object.
(defun wh-word () (comp (pitem-head-word) (reg-match "^([Ww]hat|[Ww]hich|[Ww]ho|[Ww]hom|[Tt]hat)$")))
(defun that-after-conjunction () (and (comp (pitem-head-word) (reg-match "^[Tt]hat$")) (pitem-preceding-word (in ("and" "or" "but")))))
;; The gap of a complete clause whose verb took no object becomes its moved
;; element, with a trace to the verb, when a question or relative word
;; stands before the clause to fill it. An object closes the gap ("gap" is
;; visible, so that a verb with its object and one without never pack).
;; A verb whose frame took an infinitive carries its empty subject; the
;; infinitive lies to the right, so left links measure their distance past it.
(defun controlled () (comp (pitem-attvec) (defined syn (move))))
;; A verb that took its object has no gap left.
(defun taken-object () (comp (pitem-attvec) (undefine syn (gap))))
(defun gap-to-open () (and (comp (pitem-attvec) (defined syn (gap)))
                           (comp (pitem-preceding-word) (in ("what" "What" "which" "Which" "who" "Who" "whom" "Whom" "that" "That")))))
(defun open-gap () (or (not (gap-to-open))
                       (and (comp (pitem-attvec) (modify syn ((move ((slash wh) (role obj)))))) (set-trace-att-of-pred))))
(defun before-comma () (comp (pitem-following-word) (in (","))))
;; A ruler line of dashes, equals signs and the like (----==).
(defun ruler () (comp (pitem-head-word) (reg-match "^[-=_~*#][-=_~*# ]*$")))
;; The first word of the sentence, or the first after the words the analyzer
;; skips there (an opening quote: "THE PRESIDENT: I appreciate that.); the
;; last one, or before final marks.
(defun sentence-start () (opens-sentence))
;; A word or phrase opening the sentence before a comma (However, ...).
(defun opening-phrase () (and (sentence-start) (comp (pitem-following-word) (in (",")))))
(defun sentence-end () (pitem-followed-by-or-end-with-word (reg-match "^[.!?]+$")))
;; A clause whose verb is a copula without predicate, ending with the
;; copula or an adverb after it, and a word after it that is no mark: the
;; copula rather joins that word (the carrier Roosevelt is deployed in the
;; Gulf), unlike a clause that ends there (the man he was.).
(defun predicateless-copula () (and (not (get-modifier-by-type pred)) (not (get-modifier-by-type expl))
                                    (not (before-punctuation)) (not (sentence-end))
                                    (comp (pitem-head-word) (reg-match "(^|.* )(is|are|was|were|am|'s|'re|'m|be|been|being)( [a-z]+ly| not| n't| 't| n’t| ’t| now| still| also| always| just| never| only| even)*$"))))
;; Such a copula heads no clause of its own unless a conjunction follows,
;; which may bring the predicate it shares (who should be or has the right
;; to be ...): the word after it is rather its predicate, or the copula the
;; auxiliary of a participle (the extra was for the cashout that was not
;; invoiced). On a third of the train split held out, a copula we left
;; with a subject but without predicate or expletive was right 16 times
;; in 139.
(defun copula-running-on () (and (predicateless-copula) (not (pitem-following-word (in ("and" "or" "but" "nor" "&"))))))
;; An address in angle brackets (<ann@example.com>).
(defun angle-bracketed () (comp (pitem-head-word) (reg-match "^<.*>$")))
;; Nouns of time stand as adjuncts (This year it is easy). The phrase is the
;; time word with at most two words before it (last week, the following
;; weekend), so that a longer phrase merely ending in one (the outbreak on
;; Wednesday) is not taken for it.
(defun time-noun () (comp (pitem-head-word) (reg-match "([^ ]+ ){0,2}([Tt]oday|[Yy]esterday|[Tt]omorrow|[Tt]onight|day|week|weekend|month|year|time|morning|afternoon|evening|night|Monday|Tuesday|Wednesday|Thursday|Friday|Saturday|Sunday)s?$")))
(defun pronoun () (comp (pitem-attvec) (contain syn (pron) (attvec syn ((pron +))))))
;; A capitalised word heading its phrase that is no pronoun: mostly a name.
(defun name-word () (and (comp (pitem-head-word) (reg-match "^[A-Z][A-Za-z0-9.]*$")) (not (pronoun))))
;; Today, yesterday, tomorrow and tonight head no compound: a noun before
;; them is a phrase of its own (met John Smith yesterday, the order
;; tomorrow; train has no compound under any of them). Nor do back, down,
;; over, away and forward, nouns far more rarely than adverbs (put the
;; water back; train: 2 compounds under them in 596 uses). Nor does
;; "being", which after a noun is rather its passive or copular verb (the
;; work being reviewed, boys being rude; train: 1 compound under it).
(defun no-compound-head () (comp (pitem-head-child) (pitem-head-word) (reg-match "^([Tt]oday|[Yy]esterday|[Tt]omorrow|[Tt]onight|TODAY|YESTERDAY|TOMORROW|TONIGHT|back|down|over|away|forward|being)$")))
;; Personal pronouns take no prepositional phrase (gave it to them), unlike
;; quantifying ones (some of them).
(defun personal-pronoun () (comp (pitem-head-word) (reg-match "^([Ii]t|[Tt]hem|[Mm]e|[Hh]im|[Hh]er|[Uu]s|[Yy]ou|I|[Ww]e|[Tt]hey|[Hh]e|[Ss]he)$")))
;; The same, read on the phrase's head word: a personal pronoun after a
;; comma or dash is no apposition (Thank you -- I was wondering).
(defun personal-pronoun-head () (comp (pitem-head-child) (pitem-head-word) (reg-match "^([Ii]t|[Tt]hem|[Mm]e|[Hh]im|[Hh]er|[Uu]s|[Yy]ou|I|[Ww]e|[Tt]hey|[Hh]e|[Ss]he|i)$")))
;; Personal, possessive and relative pronouns, which take no determiner or
;; adjective before them.
(defun personal-word () (comp (pitem-head-child) (pitem-head-word)
                              (reg-match "^(I|i|[Yy]ou|[Hh]e|[Ss]he|[Ii]t|[Ww]e|[Tt]hey|[Mm]e|[Hh]im|[Hh]er|[Uu]s|[Tt]hem|[Mm]y|[Yy]our|[Hh]is|[Ii]ts|[Oo]ur|[Tt]heir|[Ww]ho|[Ww]hom)$")))
;; Pronouns that no adjective or participle stands before either: relative
;; and question words, "there" and the demonstratives standing alone (a piece
;; to Global which would solve it, the best there is; train has no
;; adjective on any of them).
(defun bare-function-pronoun () (comp (pitem-head-child) (pitem-head-word)
                                      (reg-match "^([Ww]hich|[Ww]hat|[Tt]here|[Tt]hat|[Tt]his|[Tt]hese|[Tt]hose)$")))
;; Accusative pronouns (me, him, them) are never subjects.
(defun accusative () (and (pronoun) (comp (pitem-attvec) (defined syn (case))) (not (comp (pitem-attvec) (contain syn (case) (attvec syn ((case nom))))))))

;; An adverb or prepositional phrase set off by two commas inside a clause
;; (The plan, however, was good; They, too, failed).
;; A phrase of company (along with, together with) belongs to the noun
;; before it (The mayor, along with two aides, was there).
(defun set-off-parenthetical () (and (not (sentence-start)) (before-comma)
                                     (comp (get-modifier-by-type punc) (pitem-head-word) (in (",")))
                                     (not (comp (pitem-head-word) (reg-match "^(, )?([Aa]long|[Tt]ogether) with .*")))))
;; A verb or copula that took such words before it.
(defun after-parenthetical () (comp (get-modifier-by-type mod) (set-off-parenthetical)))

;; A subject before its verb is followed by no comma (Great store, highly
;; recommended: no clause) unless the comma opens words set off between the
;; two (The company, however, said ...).
;; Nor is a noun before a colon or a dash a subject: it heads the sentence,
;; a name before what its bearer says or a heading before its text (GOODWYN
;; : The candidate had gotten rich; Great experience - consider checking
;; out their puppies).
(defun before-colon () (comp (pitem-following-word) (in (":" "-"))))
(defun subject-before-its-verb () (and (or (not (comp (pitem-modifier) (before-comma)))
                                           (comp (pitem-modifiee) (pitem-head-word) (reg-match "^, [^,]* , .*"))
                                           ;; (the comma skipped after a parenthetical is not in the
                                           ;; verb's text: a phrase opened by the comma of words set
                                           ;; off by two commas)
                                           (and (comp (pitem-modifiee) (pitem-head-word) (reg-match "^, .*"))
                                                (not (comp (pitem-modifiee) (get-modifier-by-type punc)))
                                                (comp (pitem-modifiee) (after-parenthetical))))
                                       (not (comp (pitem-modifier) (before-colon)))
                                       ;; (nor one whose own word the colon follows, a label
                                       ;; before what it introduces: GOODWYN: Far from home,
                                       ;; Mr. Bush enjoyed it)
                                       (not (comp (pitem-modifier) (pitem-head-child) (pitem-following-word) (in (":"))))))

;; A subject takes no punctuation of its own, except the bracket opening
;; the sentence before it: "(Newsweek reported that ...)" is a clause in
;; brackets, not a noun with a participle after it.
(defun sentence-opening-bracket () (and (sentence-start) (comp (get-modifier-by-type punc) (pitem-head-word) (in ("(" "[")))
                                         (not (comp (pitem-head-child) (expletive))) (not (pitem-following-word (in (")" "]"))))))
;; Nor the comma closing a participle phrase set off after it (The complaint,
;; filed with the department, accuses ...).
(defun set-off-participle () (comp (get-modifier-by-type mod) (and (participle) (starts-with-punctuation))))
;; Nor is a noun that ends its phrase right before a closing bracket, when
;; the phrase holds no opening one: the bracket closes the words the noun
;; stands in ((See attached file: a.doc)(See ...): "a.doc" is no subject of
;; the next "See"). Train has no word right before a closing bracket that
;; hangs from a word after the bracket without the bracket itself.
(defun closed-by-bracket () (and (comp (pitem-following-word) (in (")" "]"))) (head-last) (not (bracketed))))
(defun subject-punctuation () (and (or (no-punc) (sentence-opening-bracket) (set-off-participle)) (not (closed-by-bracket))))

;; Nominative pronouns (I, he, she, we, they) are never objects.
(defun nominative () (comp (pitem-head-word) (reg-match "^(I|[Hh]e|[Ss]he|[Ww]e|[Tt]hey)$")))
;; Nor are possessive pronouns alone (my, your, his, its, our, their), only
;; possessors: when the word after one is not taken as its noun, the pronoun
;; is not left as the object of the verb or preposition before it instead
;; (thanked our departing manager). "Her" is also accusative and stays an
;; object; train has none of the others as an object.
(defun possessive-pronoun () (comp (pitem-head-word) (reg-match "^([Mm]y|[Yy]our|[Hh]is|[Ii]ts|[Oo]ur|[Tt]heir)$")))
;; (but "own" after one is its noun, read as an adjective: on his own)
(defun bare-possessor () (and (possessive-pronoun) (not (pitem-following-word (in ("own"))))))
(defun possessive-pronoun-not-your () (comp (pitem-head-word) (reg-match "^([Mm]y|[Hh]is|[Ii]ts|[Oo]ur|[Tt]heir)$")))
(defun non-object-pronoun () (or (nominative) (bare-possessor)))
;; "all" or "both" standing alone.
(defun all-or-both () (comp (pitem-head-word) (reg-match "^([Aa]ll|ALL|[Bb]oth)$")))
;; A reflexive pronoun (Picture yourself sitting there).
(defun reflexive-pronoun () (comp (pitem-head-word) (reg-match "^(([Mm]y|[Yy]our|[Hh]im|[Hh]er|[Ii]t|[Oo]ur|[Oo]ne)(self|selves)|[Tt]hemselves)$")))

;; A noun of time with a relative clause, fronted as an adjunct of the
;; main clause (The first time I walked in I knew, Next time you come, bring it).
(defun time-head () (comp (pitem-head-child) (pitem-head-word)
                          (reg-match "^(day|week|weekend|month|year|time|morning|afternoon|evening|night|moment|minute|second|hour)s?$")))
(defun time-relative () (and (get-modifier-by-type rel) (time-head)))

;; An -ing phrase opening the sentence is an adjunct when punctuation
;; follows it (Speaking of which, we ...); with the verb right after it, it
;; is the subject (Adding the entities would make ...). On the train split
;; 28 such phrases without punctuation after them are subjects, 8 adjuncts.
(defun set-off-gerund () (or (not (gerund)) (before-punctuation)))

;; Participles that stand before their auxiliary and subject.
(defun fronted-participle () (comp (pitem-head-child) (pitem-head-word) (reg-match "^([Aa]ttached|[Ee]nclosed|[Ii]ncluded|[Ll]isted)$")))

;; A noun phrase whose determiner is "what" or "which", or opened by "how
;; many" or "how much".
(defun wh-determined () (or (comp (get-modifier-by-type det) (pitem-head-word) (reg-match "^([Ww]hat|[Ww]hich|[Ww]hatever|[Ww]hichever)$"))
                            (comp (pitem-head-word) (reg-match "^[Hh]ow (many|much) .*"))))

;; A past participle, and a phrase right after a verb that takes an object
;; with a participle as its complement (had it fixed, got the order completed).
(defun past-participle () (comp (pitem-attvec) (strict-unifiable syn (vform) (attvec syn ((vform en))))))
(defun after-causative-verb () (comp (pitem-preceding-word) (reg-match "^([Hh]ave|[Hh]as|[Hh]ad|[Hh]aving|'ve|[Gg]et|[Gg]ets|[Gg]ot|[Gg]otten|[Gg]etting|[Kk]eep|[Kk]eeps|[Kk]ept|[Kk]eeping|[Ww]ant|[Ww]ants|[Ww]anted|[Ww]anting|[Nn]eed|[Nn]eeds|[Nn]eeded|[Nn]eeding)$")))
;; A noun phrase right after a form of "be" that opens the sentence, or a
;; definite one after "be" in a sentence that a past participle closes as
;; a question, is the subject of an inverted passive (Is the room cleaned
;; daily?, Why is the city called Miramar?), whose verb the participle is.
;; On the train split no participle in that place modifies the noun before
;; it. (An indefinite one is rather a predicate or the subject of "there
;; is": there is a shop called Greenhill?)
(defun after-opening-be () (comp (pitem-preceding-word) (reg-match "^(Is|Are|Was|Were|IS|ARE|WAS|WERE)$")))
(defun after-be () (and (comp (pitem-preceding-word) (reg-match "^(is|are|was|were)$"))
                        (comp (pitem-head-word) (reg-match "^([Tt]he|[Tt]his|[Tt]hat|[Tt]hese|[Tt]hose|[Mm]y|[Yy]our|[Hh]is|[Hh]er|[Ii]ts|[Oo]ur|[Tt]heir) .*"))))
(defun closes-question () (pitem-following-word (reg-match "^[!?]*[?][!?]*$")))
(defun inverted-passive-participle () (and (comp (pitem-modifier) (past-participle))
                                           (or (comp (pitem-modifiee) (after-opening-be))
                                               (and (comp (pitem-modifier) (closes-question)) (comp (pitem-modifiee) (after-be))))))
;; A phrase right after spend, waste, keep, feel or find: a gerund after it
;; belongs to the verb (spent the day searching, kept the car running, felt
;; his heart pounding); train hangs 23 from the verb and none from the noun.
(defun after-gerund-object-verb () (comp (pitem-preceding-word) (reg-match "^([Ss]pend|[Ss]pends|[Ss]pent|[Ss]pending|[Ww]aste|[Ww]astes|[Ww]asted|[Ww]asting|[Kk]eep|[Kk]eeps|[Kk]ept|[Kk]eeping|[Ff]eel|[Ff]eels|[Ff]elt|[Ff]eeling|[Ff]ind|[Ff]inds|[Ff]ound|[Ff]inding)$")))

;; "time" with a gerund right after it: the gerund is the verb's (spent much
;; time talking, had a good time chatting, put in the time training), save
;; after first, last or hard, where it stays with the noun (my first time
;; posting, a hard time giving); train has 5 of the one and 3 of the other.
(defun time-before-gerund () (and (comp (pitem-head-word) (reg-match "^(.* )?time$"))
                                  (not (comp (pitem-preceding-word) (reg-match "^([Ff]irst|[Ll]ast|[Hh]ard|FIRST|LAST|HARD)$")))
                                  (not (comp (pitem-head-word) (reg-match "^(.* )?([Ff]irst|[Ll]ast|[Hh]ard|FIRST|LAST|HARD) time$")))))

;; An -ing word right after "time".
(defun ing-word-after-time () (and (comp (pitem-head-word) (reg-match "^[A-Za-z]+ing( .*)?$"))
                                   (comp (pitem-preceding-word) (reg-match "^([Tt]ime|TIME)$"))))

;; What, who and how before the copula of a question stand for its predicate.
(defun question-predicate () (comp (pitem-head-word) (reg-match "^([Ww]hat|[Ww]ho|[Hh]ow)$")))
;; Such a word taken as subject or adjunct leaves the copula no noun as
;; predicate: the noun after it is the subject (What is the plan?).
(defun question-opening () (or (comp (get-modifier-by-type s) (question-predicate))
                               (comp (get-modifier-by-type mod) (question-predicate))))

;; Adverbs of place or state that stand as the predicate of a copula.
(defun place-predicate () (comp (pitem-head-word) (reg-match "^(here|there|out|in|away|back|up|over|around|on|together|down|home|inside|outside|upstairs|downstairs|abroad|everywhere|anywhere|somewhere|nowhere|elsewhere|ahead|behind|nearby|off|apart|overseas|underway)$")))

;; Question adverbs that stand as the predicate of a copula before the
;; clause they open (That's why I called; train: how, where, when and why
;; are 44 copulas' predicates).
(defun wh-predicate () (comp (pitem-head-word) (reg-match "^([Ww]hy|[Ww]here|[Hh]ow|[Ww]hen|WHY|WHERE|HOW|WHEN)$")))

;; This, that, these and those.
(defun demonstrative () (comp (pitem-head-word) (reg-match "^([Tt]his|[Tt]hat|[Tt]hese|[Tt]hose)$")))

;; A clause opened by when or whenever: after a noun it rather belongs to
;; the verb (was making a noise when the wind blew); of the train split's
;; clauses opened by "when", a few dozen hang from a noun.
(defun when-clause () (comp (pitem-head-word) (reg-match "^(, )?([Ww]hen|[Ww]henever) .*")))

;; A name or a word of address, alone or with a possessor (guys, my friend).
(defun vocative-noun () (and (head-last) (not (get-modifier-by-type det)) (not (pronoun))
                             (or (capitalised)
                                 (comp (pitem-head-word) (in ("guys" "friend" "friends" "folks" "dear" "buddy" "man" "dude" "sir" "everyone" "everybody" "people" "girls" "boys" "bro" "mate"))))))
;; A phrase that opens with a colon or dash.
(defun after-colon () (comp (pitem-head-word) (reg-match "^(:|--? )")))
;; Right after a finite auxiliary that opens a question.
(defun after-auxiliary () (comp (pitem-preceding-word) (reg-match "^([Ww]ill|[Ww]ould|[Cc]an|[Cc]ould|[Ss]hould|[Ss]hall|[Mm]ay|[Mm]ight|[Mm]ust|[Dd]o|[Dd]oes|[Dd]id|[Hh]ave|[Hh]as|[Hh]ad|[Ii]s|[Aa]re|[Ww]as|[Ww]ere)$")))
;; A clause opened by "that", which stands as no adverbial clause; after
;; "now" it does (now that the rain has stopped, we can go): "now" then
;; modifies the main verb and "that" only marks the clause.
(defun that-clause () (and (comp (pitem-attvec) (att-str-val cform) (str= "that"))
                           (not (comp (pitem-preceding-word) (in ("now" "Now"))))))
;; A clause opened by "that" or "whether".
(defun content-clause () (comp (pitem-attvec) (att-str-val cform) (in ("that" "whether"))))
;; Words that head a relative clause of their own without relative word.
(defun free-relative-head () (and (bare-item) (comp (pitem-head-word) (reg-match "^([Ww]hat|[Ww]hatever|[Aa]ll|[Ee]verything|[Aa]nything|[Ss]omething|[Nn]othing)$"))))
;; "What" inside the sentence before a finite clause without subject is
;; that clause's subject and heads it as a free relative (is what makes it
;; work, in response to what is happening, buy what is called a harness).
;; On the train split, 36 of 154 free relatives of "what" have the subject
;; gap.
(defun what-word () (and (bare-item) (not (sentence-start)) (comp (pitem-head-word) (reg-match "^([Ww]hat|[Ww]hatever)$"))))
(defun subject-gap-clause () (and (fin-clause) (no-cc) (not (starts-with-punctuation)) (not (get-modifier-by-type s)) (not (get-modifier-by-type expl))))
;; Verbs after which "what" opens an indirect question, the verb's clausal
;; complement, not a free relative (know what you mean, wonder what it is);
;; so after the particle of find out, figure out and check out (find out
;; what it takes: train has all 8 such clauses as questions).
(defun after-question-verb () (comp (pitem-preceding-word) (reg-match "^([Oo]ut|[Kk]now|[Kk]nows|[Kk]new|[Kk]nown|[Kk]nowing|[Ww]onder|[Ww]onders|[Ww]ondered|[Ww]ondering|[Gg]uess|[Aa]sk|[Aa]sks|[Aa]sked|[Ss]ee|[Ss]aw|[Ss]een|[Rr]emember|[Dd]ecide|[Dd]ecided|[Tt]ell|[Tt]ells|[Tt]old|[Mm]ention|[Dd]iscuss|[Ee]xplain|[Ll]earn|[Ff]igure|[Ii]magine|[Cc]heck|[Ss]ure)$")))
;; A name before a fronted adverbial clause (Phil if you could ...).
(defun before-subordinator () (comp (pitem-following-word) (in ("if" "when" "as" "because" "since" "once" "unless" "although" "though" "while"))))
;; A finite clause opened by when, whenever or once is an
;; adverbial clause of the verb beside it (When we start, we will call; I
;; left when he came), not a clause of its own.
(defun adverb-clause () (and (fin-clause) (full-clause)
                             (comp (pitem-head-word) (reg-match "^(, )?([Ww]hen|[Ww]henever|[Oo]nce) .*"))))
;; Such a clause takes no clause after it as parataxis: that clause is the
;; main one (When we start, we will call you). A question, where an
;; auxiliary follows the adverb, may (When will you come? I wonder).
(defun subordinate-opening () (and (comp (pitem-head-word) (reg-match "^([Ww]hen|[Ww]henever|[Ww]here|[Ww]herever|[Oo]nce) "))
                                   (not (comp (pitem-head-word) (reg-match "^[A-Za-z]+ (do|does|did|will|would|can|could|is|are|was|were|should|shall|has|have|had|may|might|must|am)( |$)")))))

;; A connective adverb before a clause opened by when or once (Then, when
;; we moved out, we cleaned it; However when he printed it, I saw) belongs
;; to the main clause after it, which the adverbial clause then modifies,
;; not to the adverbial clause's verb (marked cm by its adverb); a focusing
;; adverb singles the adverbial clause out (even when, only once).
(defun not-before-subordinate-clause ()
  (or (comp (pitem-modifier) (pitem-head-word) (reg-match "^([Ee]ven|[Oo]nly|[Jj]ust|[Ee]specially|[Pp]articularly|[Rr]ight|[Nn]ot|[Ee]xcept|[Mm]ainly|[Mm]ostly|[Ee]xactly|[Pp]recisely)$"))
      (not (comp (pitem-modifiee) (and (comp (pitem-attvec) (defined syn (cm)))
                                       (comp (pitem-head-word) (reg-match "^([Ww]hen|[Ww]henever|[Oo]nce) .*")))))))

;; The verb of a clause opened by a subordinating conjunction at the start
;; of the sentence (Although it was late, we went on; If that's ok, call
;; me): the clause after its comma is the main clause, never its parataxis.
(defun fronted-subordinate () (and (int-eq (pitem-low) (int 2))
                                   (comp (pitem-preceding-word) (reg-match "^([Ii]f|[Aa]lthough|[Tt]hough|[Ww]hile|[Ww]hilst|[Bb]ecause|[Ss]ince|[Aa]s|[Uu]nless|[Ww]hereas|[Oo]nce|[Bb]efore|[Aa]fter|[Uu]ntil|[Ww]hether)$"))))
;; A verb of saying after the clause it reports ("We won," he said.).
;; The adverb marks its verb ("cm"), and such a clause is never the whole
;; sentence: a clause after it, even without a comma, is the main one (When
;; she was a kitten she looked like a cake).
(defun subordinating-adverb () (comp (pitem-head-word) (reg-match "^([Ww]hen|[Ww]henever|[Ww]here|[Ww]herever|[Oo]nce)$")))
(defun subordinate-mark () (comp (pitem-attvec) (modify syn ((cm +)))))
(defun whole-sentence-subordinate () (and (sentence-start) (sentence-end) (comp (pitem-attvec) (defined syn (cm))) (subordinate-opening)))
;; A verb phrase that may be an infinitive, after a comma alone, is no
;; conjunct of the verb of a clause opened by if, when and their like that
;; cannot be one: it is rather a request, the main clause after the
;; fronted one (When the dog barks, tell him no).
(defun comma-request-conjunct () (and (not (matching-conjunct-form)) (not (comp (pitem-modifier) (get-modifier-by-type cc)))
                                      (comp (pitem-modifiee) (or (fronted-subordinate) (subordinate-opening)))))
;; A clause of saying after a comma, whose verb closes the sentence or
;; stands before words of time or place, reports the clause before it (The
;; talks failed, the minister said on Friday.; "We won," Ann said.): it is
;; the main clause, not a loosely joined one.
(defun reporting-clause () (comp (pitem-head-word) (reg-match "^,( ?[\"'”’])? ([^ ]+ ){1,12}(said|says|added|adds|told|wrote|asked|explained|noted|stated|insisted|warned|replied|argued|claimed|declared|continued|concluded|reported|announced|recalled|admitted)( (this|last|on|in|during|at|yesterday|today|earlier|later|recently|reporters|Monday|Tuesday|Wednesday|Thursday|Friday|Saturday|Sunday)( .*)?)?$")))
;; Such a clause whose verb tells a listener and closes the sentence, its
;; subject right after the comma or quotes ("We lost," Ann told IPS;
;; ..., he told the news agency); not one with a clause of its own after the
;; listener (he told John that ...), nor one after "so" (so I told Ann).
(defun report-to-listener () (and (sentence-end) (get-modifier-by-type obj) (not (get-modifier-by-type comp))
                                  (comp (pitem-head-word) (reg-match "^,( ?[\"'”’])? ([A-Z][^ ]*|he|she|they|we|you) ([^ ]+ ){0,4}(told|tells) .*"))))
;; Verbs of saying that may stand before their subject after the clause
;; they report ("We won," said Ann; ..., says a Western diplomat).
(defun inverting-reporting-verb () (comp (pitem-head-word) (reg-match "(.* )?(said|says|asked|asks|added|adds|wrote|writes|explained|explains|noted|notes|continued|continues|replied|replies|recalled|recalls|declared|insisted|warned|argued|argues|claimed|stated|concluded|reported|announced|admitted|observed|cautioned|read|reads|told)$")))
;; Such a verb that took the clause before it and no subject yet: the noun
;; after it is its subject, not its object.
(defun inverted-report () (and (get-modifier-by-type comp) (not (get-modifier-by-type s)) (inverting-reporting-verb)))
;; Such a verb after a comma with a noun after it is no participle with an
;; object (..., said Jones): the noun is the subject of the finite verb.
(defun reporting-participle-with-object () (and (get-modifier-by-type obj) (comp (pitem-head-word) (reg-match "^([^A-Za-z0-9 ]+ )*(said|asked|added|wrote|explained|noted|continued|replied|recalled|declared|insisted|warned|argued|claimed|stated|concluded|reported|announced|admitted|observed|cautioned) .*"))))
;; Where such a verb stands: before the end or before such words.
(defun reporting-position () (or (sentence-end) (pitem-following-word (in ("this" "last" "on" "in" "during" "at" "yesterday" "today" "earlier" "later" "recently" "reporters" "Monday" "Tuesday" "Wednesday" "Thursday" "Friday" "Saturday" "Sunday")))))
(defun reporting-verb () (comp (pitem-head-child) (pitem-head-word)
                               (reg-match "^(said|says|say|added|adds|told|tells|asked|asks|wrote|writes|explained|noted|stated|insisted|warned|replied|argued|claimed|declared|continued|concluded|reported|announced|recalls|recalled|admitted|know|think|guess|suppose|believe|hope|mean|swear|bet)( |$)")))
;; A noun joined by a comma alone is a conjunct only inside a list that goes
;; on (A, B and C); else the noun after the comma begins a new clause (When
;; they saw it, people left).
(defun list-goes-on () (pitem-following-word (in ("," "and" "or" "&" "/"))))
;; A verb phrase after a comma alone, where no list goes on after it, is no
;; conjunct of the verb of a clause opened by if, when and their like: it
;; is rather the main clause after the fronted one (If you go, be careful).
(defun lone-comma-conjunct () (and (not (comp (pitem-modifier) (get-modifier-by-type cc))) (not (comp (pitem-modifier) (list-goes-on)))
                                   (comp (pitem-modifiee) (or (fronted-subordinate) (subordinate-opening)))))
;; "etc." closes a list as its last item (lives, homes, etc.).
(defun list-end () (comp (pitem-head-word) (reg-match "^, ([Ee]tc|[Ee]ct)\\.?$")))
;; Verbs that take a finite clause without complementiser (say, think,
;; know, hope, guess, ...), by their forms.
(defun bare-clause-verb () (comp (pitem-head-child) (pitem-head-word)
                                 (reg-match "^(say|said|think|thought|know|knew|known|tell|told|hope|believ|mean|meant|guess|find|found|assum|feel|felt|see|saw|seen|figur|confirm|ensur|suggest|hear|heard|ask|wish|remember|imagin|stat|claim|reali[sz]|wonder|indicat|understand|understood|learn|decid|suspect|doubt|writ|wrote|notic|bet|recommend|promis|repl|expect|conclud|add|discover|show|agree|warn|swear|swore|pray|insist|admit|announc|report|argu|explain|predict|suppos|reckon|presum|worr|fear|pretend|prov|trust|not|mention|read|check|mak|made|rul|verif|guarantee|bet|dream|sens|sense|forget|forgot|forgotten|hint|complain|recall|reveal|acknowledg|answer|respond|specif|determin|emphasi[sz]|observ|propos|pledg|vow|deny|denied|den|declar|estimat|calculat)(s|es|ed|d|ing|ies|ied|y|e|en|n|t|ted|ting)?( |$)")))

;; Nouns that take a to-infinitive of their own (a chance to win, the
;; ability to pay, nothing to lose), by their forms.
(defun infinitive-noun () (comp (pitem-head-child) (pitem-head-word)
                                (reg-match "^(.* )?([Aa]bilit|[Ii]nabilit|[Aa]ttempt|[Aa]uthorit|[Aa]uthorization|[Cc]hance|[Dd]ecision|[Ee]ffort|[Ii]dea|[Mm]eans|[Mm]otion|[Mm]ove|[Nn]eed|[Nn]othing|[Ss]omething|[Aa]nything|[Ee]verything|[Oo]bligation|[Oo]ffer|[Oo]pportunit|[Oo]ption|[Pp]ermission|[Pp]lace|[Pp]lan|[Pp]osition|[Pp]otential|[Pp]ower|[Rr]equirement|[Rr]ight|[Rr]oom|[Ss]tep|[Ss]trateg|[Tt]hing|[Tt]ime|[Tt]ool|[Ww]illingness|[Uu]nwillingness|[Ww]ay|[Pp]ossibilit|[Pp]romise|[Pp]ledge|[Rr]equest|[Rr]eason|[Ee]xcuse|[Uu]rge|[Rr]esponsibilit|[Aa]ccess|[Aa]greement|[Bb]id|[Ff]ailure|[Qq]uest|[Pp]ressure|[Pp]retext|[Hh]ope|[Aa]mbition|[Ff]reedom|[Pp]atience|[Pp]leasure|[Oo]ccasion|[Ii]nstinct|[Dd]esire|[Ii]ntention|[Tt]endency|[Cc]apacit|[Ii]ncentive|[Cc]ourage|[Dd]etermination|[Rr]eadiness|[Ee]agerness|[Rr]efusal|[Pp]roposal|[Mm]andate|[Pp]ermit|[Ll]icense|[Jj]ob|[Tt]ask|[Cc]hoice|[Gg]oal|[Aa]im|[Mm]ission|[Dd]uty|[Ee]nough|[Ll]ot|[Pp]rivilege|[Hh]onor|[Ww]ish|[Ss]ystem)(s|es|ies|y)?$")))

;; Nouns of a stretch of time, which keep "to come" after them (for years
;; to come, in the months to come); train hangs all 4 from the noun.
(defun period-noun () (comp (pitem-head-child) (pitem-head-word) (reg-match "^(.* )?([Dd]ays|[Ww]eeks|[Mm]onths|[Yy]ears|[Dd]ecades|[Cc]enturies|[Gg]enerations)$")))
(defun infinitive-come () (comp (pitem-head-word) (reg-match "^to come$")))

;; A noun phrase right after have, get, need, give, make, find or be takes the
;; infinitive after it whatever the noun (had an issue to deal with, are
;; sights to see).
(defun after-have () (comp (pitem-preceding-word) (reg-match "^([Hh]ave|[Hh]as|[Hh]ad|[Hh]aving|'ve|'d|[Gg]ot|[Gg]et|[Gg]ets|[Gg]etting|[Nn]eed|[Nn]eeds|[Nn]eeded|[Gg]ive|[Gg]ives|[Gg]ave|[Gg]iven|[Mm]ake|[Mm]ade|[Mm]akes|[Ff]ind|[Ff]ound|[Tt]here 's|is|are|was|were)$")))

;; Verbs whose to-infinitive is a complement only right after them.
(defun purpose-verb () (comp (pitem-head-child) (pitem-head-word)
                             (reg-match "^([Gg]o|[Gg]oes|[Gg]oing|[Ww]ent|[Gg]one|[Cc]ome|[Cc]omes|[Cc]oming|[Cc]ame|[Ll]ook|[Ll]ooks|[Ll]ooking|[Ll]ooked|[Tt]ry|[Tt]ries|[Tt]rying|[Tt]ried|[Ww]ait|[Ww]aits|[Ww]aiting|[Ww]aited)( |$)")))
(defun after-purpose-verb () (comp (pitem-preceding-word)
                                   (reg-match "^([Gg]o|[Gg]oes|[Gg]oing|[Ww]ent|[Gg]one|[Cc]ome|[Cc]omes|[Cc]oming|[Cc]ame|[Ll]ook|[Ll]ooks|[Ll]ooking|[Ll]ooked|[Tt]ry|[Tt]ries|[Tt]rying|[Tt]ried|[Ww]ait|[Ww]aits|[Ww]aiting|[Ww]aited)$")))
;; Verbs that take a to-infinitive as complement (want, try, need, ...),
;; by their forms.
(defun infinitive-verb () (comp (pitem-head-child) (pitem-head-word)
                                (reg-match "^([Ww]ant|[Hh]ave|[Hh]as|[Hh]ad|[Tt]ry|[Tt]ri|[Nn]eed|[Gg]o|[Gg]oes|[Ww]ent|[Gg]one|[Ll]ike|[Ll]ik|[Ss]eem|[Gg]et|[Gg]ot|[Dd]ecid|[Aa]sk|[Tt]ell|[Tt]old|[Cc]ontinu|[Rr]efus|[Ee]xpect|[Aa]llow|[Hh]ope|[Hh]op|[Ss]tart|[Bb]egin|[Bb]egan|[Bb]egun|[Ii]ntend|[Aa]ttempt|[Cc]hoos|[Cc]hose|[Cc]hosen|[Ss]uppos|[Tt]end|[Pp]lan|[Pp]lann|[Hh]elp|[Ff]orget|[Ff]orgot|[Ff]orgotten|[Ss]eek|[Ss]ought|[Ll]ook|[Ee]ncourag|[Rr]equir|[Rr]ecommend|[Aa]gree|[Ee]nabl|[Mm]anag|[Aa]fford|[Ff]orc|[Ii]nvit|[Rr]emember|[Mm]ak|[Mm]ade|[Ss]ay|[Ss]aid|[Cc]onvinc|[Uu]rge|[Uu]rg|[Cc]laim|[Ww]ish|[Ll]ove|[Ll]ov|[Hh]esitat|[Cc]aus|[Ll]earn|[Ff]ail|[Pp]ledg|[Pp]romis|[Pp]refer|[Pp]referr|[Tt]hreaten|[Hh]appen|[Pp]ressur|[Ll]ead|[Ll]ed|[Tt]each|[Tt]aught|[Pp]retend|[Ss]et|[Ss]chedul|[Aa]pprov|[Oo]bligat|[Oo]rder|[Hh]ate|[Hh]at|[Tt]rain|[Oo]ffer|[Dd]eclin|[Pp]ersuad|[Bb]other|[Aa]ppear|[Bb]eg|[Bb]egg|[Tt]arget|[Pp]ermit|[Pp]ermitt|[Dd]irect|[Aa]im|[Pp]roject|[Kk]now|[Kk]new|[Kk]nown|[Pp]repar|[Ss]truggl|[Dd]eserv|[Dd]are|[Dd]ar|[Vv]olunteer|[Aa]rrang|[Oo]ught|[Uu]sed|[Ww]ait|[Pp]rompt|[Ii]nstruct|[Ee]xpect|[Mm]ean|[Mm]eant|[Oo]pt|[Vv]ow|[Ss]wear|[Ss]wore|[Ll]ong|[Yy]earn|[Hh]av|[Ss]triv|[Ss]trove|[Ss]triven|[Ee]njoy|[Dd]etermin|[Ll]oath|[Pp]roceed|[Rr]ush|[Hh]urri|[Hh]urry|[Ff]ight|[Ff]ought|[Ss]train|[Cc]ommit|[Aa]sk|[Cc]ar|[Bb]ound|[Ee]ager)(s|es|ed|d|ing|ies|ied|e|en|n|t)?( |$)")))

;; An adverb right before infinitival "to" belongs to the infinitive only
;; when it negates, focuses or questions it (not to go, just to see, how to
;; fix it); any other (call him back immediately to ask, come forward to
;; help) modifies the verb before it (train: 79 on the infinitive, all of
;; these words, against 95). "about to" stays with its infinitive, and a
;; sentence's first word before "to" is rather a preposition's (Further to
;; our talk, ...).
(defun infinitive-adverb () (or (not (pitem-following-word (in ("to")))) (sentence-start)
                                (comp (pitem-head-word) (reg-match "^([Nn]ot|[Nn]ever|[Aa]bout|[Hh]ow|[Ww]here|[Ww]hen|[Ww]hy|[Jj]ust|[Oo]nly|[Ee]ven|[Aa]lso|[Aa]ctually|[Ss]imply|[Mm]erely|[Pp]rimarily|[Mm]ainly|[Pp]robably|[Tt]hen|[Ll]ess)$"))))

;; "or not" closing a verb or adjective phrase is its conjunct (whether to
;; approve him or not; train: 17 conjuncts of the word before, none adjuncts).
(defun or-not () (comp (pitem-head-word) (reg-match "^or (not|NOT|Not)$")))

;; "enough" standing alone after an adjective or adverb.
(defun enough () (and (bare-item) (comp (pitem-head-word) (str= "enough"))))

;; A bare noun before a hyphen, and a word right after one.
(defun hyphen-part () (and (bare-item) (pitem-following-word (in ("-")))))

;; Verbs that take an adjective as predicate, by their forms.
(defun predicative-verb () (comp (pitem-head-child) (pitem-head-word)
                                 (reg-match "^([Mm]ak|[Mm]ade|[Gg]et|[Gg]ot|[Ff]eel|[Ff]elt|[Kk]eep|[Kk]ept|[Ll]ook|[Bb]ecom|[Bb]ecame|[Ff]ind|[Ff]ound|[Gg]o|[Gg]oes|[Ww]ent|[Gg]one|[Ss]eem|[Rr]emain|[Hh]av|[Hh]as|[Hh]ad|[Ll]eav|[Ll]eft|[Ss]ound|[Tt]ast|[Ww]ant|[Cc]om|[Cc]ame|[Tt]hink|[Tt]hought|[Aa]ppear|[Nn]eed|[Cc]onsider|[Cc]ut|[Ss]uppos|[Pp]rov|[Ss]tay|[Tt]urn|[Ss]mell|[Gg]row|[Gg]rew|[Bb]eliev|[Pp]retend|[Hh]old|[Hh]eld|[Ee]nd|[Rr]ender|[Dd]eem|[Ll]abel|[Cc]all|[Pp]aint|[Dd]ri|[Dd]rove|[Ss]et|[Rr]un|[Rr]an|[Bb]reak|[Bb]roke|[Ff]all|[Ff]ell|[Ll]ay|[Ll]ie|[Ss]it|[Ss]at|[Ss]tand|[Ss]tood|[Ww]ear|[Ww]ore|[Pp]ush|[Pp]ull|[Ss]hoot|[Ss]hot|[Ll]ik|[Ll]ove|[Pp]refer|[Ss]erv|[Rr]eturn|[Aa]rriv|[Dd]i|[Bb]orn|[Rr]ate|[Rr]ated|[Cc]ertif|[Dd]eclar|[Rr]eport|[Ss]hip|[Ss]ell|[Ss]old)(s|es|ed|d|ing|ies|ied|e|en|n|t|y)?( |$)")))

;; A sentence adverb or connective opening the sentence (However, So,
;; Sometimes) modifies the clause, never the adjective, noun or
;; adverb right after it (However powerful hardliners may be trying; So
;; now the Senate is getting ready); not before much, all, many, far or
;; long, which it rather measures (So much for that).
(defun sentence-connective () (and (sentence-start) (bare-item) (not (pitem-following-word (in ("much" "all" "many" "far" "long"))))
                                   (comp (pitem-head-word) (reg-match "^([Hh]owever|[Ss]o|[Nn]ow|[Aa]lso|[Ss]ometimes|[Uu]sually|[Pp]ersonally|[Hh]opefully|[Rr]ecently|[Oo]bviously|[Ii]ronically|[Uu]nfortunately|[Ff]ortunately|[Ii]nstead|[Ss]till|[Tt]hus|[Tt]herefore|[Hh]ence|[Bb]esides|[Ll]ikewise|[Aa]dditionally|[Mm]eanwhile|[Oo]therwise|[Bb]asically|[Aa]pparently|[Cc]learly|[Hh]onestly|[Ff]inally|[Gg]enerally|[Oo]verall|[Cc]urrently|[Oo]riginally|[Ss]urprisingly|[Ss]adly|[Ll]uckily|[Ii]nterestingly|[Tt]ypically|[Nn]ormally|[Oo]ften|[Ff]urthermore|[Mm]oreover|[Ss]econdly|[Ff]irstly|[Ll]astly|[Ss]imilarly|[Nn]evertheless|[Nn]onetheless|[Ee]ventually|[Ll]ater|[Tt]oday|[Yy]esterday|[Tt]omorrow)$"))))

(def-category Punc)
(def-category Intj)
(def-category U)
(def-category Part)
(def-category Conn)
(def-category Det)
(def-category Num (visible-atts (cat lexitem last_conj)))
(def-category Adv (visible-atts (cat lexitem last_conj)))
(def-category VB (visible-atts (vform)))
(def-category A (visible-atts (cat degree lexitem last_conj)))
(def-category Prep (visible-atts (cat pform lexitem last_conj)))
(def-category N (visible-atts (cat num case pron lexitem last_conj)))
(def-category V (visible-atts (cat vform lexitem last_conj rare cm)) (subcat-atts (cat vform lexitem)))
(def-category VBE (visible-atts (cat vform lexitem last_conj rare cm)))
(def-category C (visible-atts (cat cform last_conj)))

;; A clause of comparison (as you like, than we thought) belongs to the
;; adverb it compares, not to the verb: one after "as" (as far as I know,
;; as long as it works, as soon as you can) or one of higher degree
;; (sooner than expected, longer than it should).
(defun comparison-clause () (and (full-clause) (comp (pitem-attvec) (att-str-val cform) (in ("as" "than")))))
(defun compared-adverb () (or (comp (get-modifier-by-type mod) (pitem-head-word) (reg-match "^[Aa]s$"))
                              (comp (pitem-head-child) (pitem-head-word) (reg-match "^(more|less|longer|sooner|better|faster|later|earlier|further|farther|harder|worse|quicker|easier)$"))))

;; Adverbs that stand before "the" and the adjective it goes with (not
;; the same, still the best, exactly the same, by far the cheapest).
(defun adverb-before-the () (comp (pitem-head-word) (reg-match "^([Nn]ot|n't|'t|n’t|’t|[Ss]till|[Aa]lso|[Nn]ow|[Tt]hen|[Jj]ust|[Ee]xactly|[Aa]lmost|[Nn]early|[Pp]robably|[Dd]efinitely|[Cc]ertainly|[Ss]ubstantially|[Bb]asically|[Ee]ssentially|[Oo]nly|[Ee]asily|[Bb]y far|[Aa]lways|[Nn]ever|[Rr]eally)$")))

;; Nouns that measure time or way (years, a few minutes, miles).
;; A phrase opened by the indefinite article (a week, a great time).
(defun indefinite-article () (comp (get-modifier-by-type det) (pitem-head-word) (reg-match "^([Aa]|[Aa]n)$")))
(defun measure-noun () (comp (pitem-head-child) (pitem-head-word) (reg-match "^(second|minute|hour|day|week|weekend|month|year|decade|centur(y|ies)|mile|kilometer|kilometre|km|block|while|moment|night|generation|inch|inche|foot|feet|meter|metre|yard|cm|mm|step|mo|yr|hr|min|sec)s?$")))

(def-modifiers A
  ;; A ruler line around a heading, as a last resort (----== Posted via
  ;; Newsfeed.Com ==----).
  (? (U (dep-type punc) (max-dist 12) (dep-weight 60.0) (last-resort) (modifier-cond (ruler))))
  (? (Punc (dep-type punc) (max-dist 3) (modifier-cond (comma))))
  ;; A conjunction nothing else takes, as a last resort (and | a must see).
  (? (Conn (dep-type cc) (max-dist 5) (dep-weight 60.0) (last-resort)))
  ;; (the conjunction reaches its adjective past adverbs: small and yet
  ;; still very clean)
  (? (Conn (dep-type cc) (max-dist 6) (merged-cond (marked-conjunct)))
     (Adv (dep-type cc) (max-dist 3) (modifier-cond (as-well-as)) (merged-cond (marked-conjunct))))
  ;; A noun before it that nothing else takes is its subject, as a last
  ;; resort (Rooms very clean, The food okay).
  (? (N (dep-type s) (max-dist 12) (dep-weight 60.0) (last-resort)))
  ;; An adverb before the "the" of an adjective that stands alone with it
  ;; (is not the same, was still the best): without it such a copula
  ;; finds no whole analysis, since the copula takes its adverbs after
  ;; the predicate and the adjective its own inside its "the".
  (? (Adv (dep-type mod) (max-dist 3) (modifier-cond (and (bare-item) (adverb-before-the))) (modifiee-cond (get-modifier-by-type det))))
  ;; "the same" stands alone as a noun phrase (the results are the same).
  (? (Det (dep-type det) (max-dist 2) (modifier-cond (comp (pitem-head-word) (reg-match "^[Tt]he$")))
          (modifiee-cond (and (or (before-punctuation) (sentence-end))
                              (or (comp (pitem-head-word) (reg-match "^(same|most|least|first|last|next)$"))
                                  (comp (pitem-attvec) (contain syn (degree) (attvec syn ((degree sup))))))))))
  ;; (never "back", "away", "out" or "off": right before an adjective they
  ;; belong to the verb before them, brings back bad memories, came back
  ;; normal; train hangs none from an adjective after it)
  (* (Adv (dep-type mod) (max-dist 3) (modifier-cond (not (or (sentence-connective) (comp (pitem-head-word) (reg-match "^(back|away|out|off)$"))))))
     ;; a bit expensive, a little dumpy, a lot better
     (N (dep-type mod) (max-dist 3) (dep-weight 2.0)
        (modifier-cond (and (head-last) (comp (pitem-head-word) (reg-match ".*(bit|little|lot)$")))))
     ;; and a measure before an adjective of age, length or lateness (a 69
     ;; year old man, 6 cm long, two weeks late).
     (N (dep-type mod) (max-dist 4) (dep-weight 1.0)
        (modifier-cond (and (no-cc) (no-punc) (head-last) (measure-noun)))
        (modifiee-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^(old|older|long|longer|tall|taller|wide|high|deep|thick|late|early)$"))))))
  ;; A determiner nothing else takes, as a last resort (a must, the same).
  (? (Det (dep-type det) (max-dist 3) (dep-weight 60.0) (last-resort)))
  ;; A noun joined to it by a hyphen (text-based, sky-high, month-long).
  (? :skip-word (in ("-"))
     (N (dep-type mod) (max-dist 2) (modifier-cond (hyphen-part))))
  (:head)
  ;; worth a visit
  (? (N (dep-type obj) (max-dist 6) (modifier-cond (and (no-cc) (no-punc))) (modifiee-cond (comp (pitem-head-word) (reg-match ".*worth$")))))
  (* (Prep (dep-type mod) (max-dist 6) (modifier-cond (no-cc)))
     ;; "enough" right after its adjective (strong enough to win, really
     ;; strong enough: a dependent after its head is measured from the first
     ;; word of the head's phrase, adverbs before the adjective included).
     (Adv (dep-type mod) (max-dist 4) (modifier-cond (enough)) (modifiee-cond (head-last)))
     (C (dep-type comp) (max-dist 10) (dep-weight 3.0) (modifier-cond (and (clause-complement) (not (fin-clause)))))
     ;; A clause without "that" only after adjectives of knowing and feeling
     ;; (sure it works, glad you came); after others it is a clause of its
     ;; own (Staff is very friendly they treat you well).
     (C (dep-type comp) (max-dist 10) (dep-weight 3.0) (modifier-cond (and (clause-complement) (fin-clause)))
        (modifiee-cond (comp (pitem-head-child) (pitem-head-word)
                             (reg-match "^([Ss]ure|[Gg]lad|[Aa]fraid|[Ss]orry|[Hh]appy|[Pp]leased|[Cc]onfident|[Aa]ware|[Cc]ertain|[Ll]ucky|[Ll]ikely|[Cc]urious|[Pp]ositive|[Cc]onvinced|[Tt]hankful|[Gg]rateful|[Pp]roud|[Ww]orried|[Aa]mazed|[Ss]urprised|[Dd]isappointed|[Ss]ad|[Hh]opeful)$"))))
     (C (dep-type mod) (max-dist 10) (dep-weight 4.0) (modifier-cond (and (full-clause) (not (fin-clause)))) (modifiee-cond (not (took-complement))))
     (V (dep-type comp) (max-dist 10) (dep-weight 2.0) (modifier-cond (and (base-form) (no-cc) (get-modifier-by-type aux))))
     (VBE (dep-type comp) (max-dist 10) (dep-weight 2.0) (modifier-cond (and (base-form) (no-cc) (get-modifier-by-type aux) (not (copula-running-on)))))
     (A (dep-type conj) (max-dist 8) (modifier-cond (conjunct)))
     (Adv (dep-type conj) (max-dist 8) (modifier-cond (or-not)))
     ;; and a participle used as an adjective, after a conjunction or comma
     ;; (clean and redlined version)
     (V (dep-type conj) (max-dist 4) (dep-weight 2.0) (modifier-cond (and (conjunct) (participle) (head-last) (not (get-modifier-by-type s))))))
  (? (U (dep-type punc) (max-dist 40) (dep-weight 60.0) (last-resort) (modifier-cond (ruler)))))

;; A phrase of "of" (or "out of") with its object, and a number that took
;; one (two of them, 5 out of 18).
(defun of-phrase () (comp (pitem-head-word) (reg-match "^(of|out of) .*")))
(defun number-of-phrase () (comp (get-modifier-by-type mod) (of-phrase)))
;; Numbers that count a part of a whole: numbers of up to three digits and
;; number words, but not "one", which is also a noun (one of them), nor a
;; year or a section number (2002 of, Sec. 1341 of the laws).
(defun counting-number () (comp (pitem-head-child) (pitem-head-word)
                                (reg-match "^([0-9][0-9]?[0-9]?|[0-9][0-9]?[0-9]?,[0-9][0-9][0-9]|[Tt]wo|[Tt]hree|[Ff]our|[Ff]ive|[Ss]ix|[Ss]even|[Ee]ight|[Nn]ine|[Tt]en|[Tt]welve|[Tt]wenty|[Ff]ifty|[Hh]undreds|[Tt]housands|[Mm]illions|[Dd]ozens)$")))

;; Numbers in a list hang from the first as conjuncts (5 and 6 dollars,
;; 12,000, 8,000 and 5,000 dollars).
(def-modifiers Num
  ;; The comma before a later number of the list, looked for only where a
  ;; conjunction or another comma follows, since numbers are common.
  (? (Punc (dep-type punc) (max-dist 3) (modifier-cond (comma))
           (modifiee-cond (pitem-following-word (in ("," "and" "or"))))))
  ;; A conjunction nothing else takes, as a last resort (and | a must see).
  (? (Conn (dep-type cc) (max-dist 5) (dep-weight 60.0) (last-resort)))
  (? (Conn (dep-type cc) (max-dist 3) (merged-cond (marked-conjunct))))
  ;; An adverb of degree before the number (about 20, nearly 100, over 200,
  ;; more than 60).
  (? (Adv (dep-type mod) (max-dist 2) (dep-weight 2.0)
          (modifier-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^([Aa]bout|[Aa]round|[Oo]ver|[Uu]nder|[Nn]early|[Aa]lmost|[Aa]pproximately|[Rr]oughly|[Aa]t least|[Aa]t most|[Uu]p to|[Pp]erhaps|[Mm]aybe|[Ee]xactly|[Aa]pprox\\.?|[Cc]lose to)$")))))
     (A (dep-type mod) (max-dist 2) (dep-weight 2.0)
        (modifier-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^([Mm]ore|[Ll]ess|[Ff]ewer) than$"))))))
  ;; A determiner nothing else takes, as a last resort (a must, the same).
  (? (Det (dep-type det) (max-dist 3) (dep-weight 60.0) (last-resort)))
  (:head)
  (* (Num (dep-type conj) (max-dist 8) (modifier-cond (conjunct)))
     ;; the phrase of what it counts (3 of my windows, 5 out of 18)
     (Prep (dep-type mod) (max-dist 2) (modifier-cond (and (no-cc) (of-phrase))) (modifiee-cond (counting-number)))))

;; A greeting with the name or word of address of whom it greets (Hey
;; Vladi, Thanks Nina, Hi Mr. Katsof, Hey guys).
(def-modifiers Intj
  (:head)
  (? (N (dep-type voc) (max-dist 3) (dep-weight 2.0) (modifier-cond (and (no-cc) (head-last) (not (pronoun)) (or (capitalised) (vocative-noun)
                                                                                 (comp (pitem-head-child) (pitem-head-word) (reg-match "^[A-Z].*"))))))))

;; Adverbs of the clause (not, never, also, already ...) modify its verb, not
;; the adverb after them (has not already seen). The negation cut from its
;; auxiliary is spelled as the tokenizer leaves it ("'t" of don't, wasn't),
;; and as the treebank writes it: doesn't always mean, wasn't that great
;; (train: 3 of 52 such negations hang from the adverb after them).
(defun clause-adverb () (comp (pitem-head-word) (reg-match "^([Nn]ot|n't|'t|n’t|’t|[Nn]ever|[Aa]lso|[Nn]ow|[Ss]till|[Aa]lways|[Ee]specially|[Oo]ften|[Pp]robably|[Tt]hen|[Aa]lready|[Aa]ctually|[Oo]nly|[Mm]aybe|[Pp]erhaps|[Uu]sually|[Cc]ertainly|[Tt]here|[Hh]ere|[Ww]here|[Ww]ell|[Ss]ometimes|[Ff]inally|[Aa]gain)$")))

;; Adverbs of degree that stand right before an adjective.
(defun intensifier () (comp (pitem-head-word) (reg-match "^([Tt]oo|[Aa]s|[Ss]o|[Vv]ery|[Hh]ow|[Qq]uite|[Rr]ather|[Pp]retty|[Rr]eally|[Ee]xtremely|[Ii]ncredibly|[Aa]bsolutely|[Tt]otally|[Cc]ompletely|[Hh]ighly|[Pp]articularly|[Ss]uper|[Tt]ruly|[Ff]airly|[Ss]omewhat|[Ee]qually)$")))

;; Focusing, hedging and question adverbs and "n't" modify no adverb before
;; them: the adverb before them modifies what they modify (are n't even
;; friendly, is now just an ipod, just kind of stopped).
(defun focus-adverb () (comp (pitem-head-word) (reg-match "^(n't|'t|n’t|’t|[Nn]ever|[Ee]ven|[Jj]ust|[Aa]lso|[Oo]nly|[Ww]hy|[Ww]hen|[Kk]ind of|[Ss]ort of)$")))
;; "not" takes the adverb before it only where it ends its phrase, the
;; rest left unsaid (maybe not., why not?, most likely not, ...); before
;; the word it negates the adverb goes to that word as well (definitely
;; not recommend, why not wait; train: 40 of 43 adverbs right before "not"
;; hang from another word).
(defun negation-before-its-word () (and (comp (pitem-head-word) (reg-match "^([Nn]ot|NOT)$")) (not (before-punctuation)) (not (sentence-end))))

;; The word before the item is a past form or a gerund by its ending (not
;; "need", "indeed", "during", "nothing" and their like).
(defun after-verb-form () (and (comp (pitem-preceding-word) (reg-match ".*[a-z](ed|ing)$"))
                               (not (comp (pitem-preceding-word) (reg-match "^([Nn]eed|[Ii]ndeed|[Ss]peed|[Ff]eed|[Ss]eed|[Dd]uring|.*thing|[Kk]ing|[Bb]ring|[Ss]ing|[Rr]ing|[Mm]orning|[Ee]vening|[Cc]eiling|[Bb]uilding|[Mm]eeting)$")))))

;; A focusing adverb right before a determiner or number singles out the
;; noun phrase that follows, not the verb (staying only two days, costs
;; just a few dollars, only the manager can fix it). Right before a
;; subordinator it singles out the clause that opens and modifies that
;; clause's verb, not the verb before it (stay even if it rains, left just
;; because he came): on train such an adverb hangs from the subordinate
;; verb in 79 of 81 cases. A comma before the adverb may have joined it
;; already (stay, even if it rains). (One test for both: the grammar's
;; plans fill their places.)
(defun focus-before-phrase ()
  (or (and (bare-item) (comp (pitem-head-word) (reg-match "^([Jj]ust|[Oo]nly|[Ee]ven|[Mm]erely|[Ss]imply)$"))
           (comp (pitem-following-word) (reg-match "^([Tt]he|[Aa]|[Aa]n|[Mm]y|[Yy]our|[Hh]is|[Hh]er|[Oo]ur|[Tt]heir|[Ii]ts|[Tt]his|[Tt]hese|[Tt]hose|[Oo]ne|[Tt]wo|[Tt]hree|[Ff]our|[Ff]ive|[Aa]bout|[$£€]?[0-9].*)$")))
      (and (head-last) (comp (pitem-head-word) (reg-match "^(, )?([Jj]ust|[Oo]nly|[Ee]ven|[Ee]specially|[Pp]artly|[Mm]ainly|[Ss]imply)$"))
           (comp (pitem-following-word) (reg-match "^(if|because|though|although|unless)$")))))

;; "then" or "so" right before a subject pronoun opens the clause of that
;; pronoun and modifies its verb, not the verb before it (If it fails then
;; you could try again; we had snow in March so I would not plant early).
(defun clause-opening-connective () (and (bare-item) (comp (pitem-head-word) (reg-match "^(then|so)$"))
                                         (comp (pitem-following-word) (reg-match "^(I|you|we|he|she|they|it)$"))))

;; Adverbs of place and time, and sentence adverbs, modify no adverb after
;; them: they modify the verb (go back there again, done that before though).
(defun place-or-time-adverb () (comp (pitem-head-word) (reg-match "^([Tt]here|[Hh]ere|[Bb]efore|[Aa]go|[Aa]nywhere|[Ss]omewhere|[Ee]verywhere|[Rr]ecently|[Tt]hough|[Ss]ure|[Yy]et|[Aa]bove|[Tt]wice|[Oo]ften|[Ss]omehow|[Ee]specially|[Aa]tm|[Hh]owever|[Tt]herefore|[Tt]oday|[Tt]omorrow|[Yy]esterday|[Tt]onight|[Ll]ater|[Ee]arlier|[Ss]oon)$")))

;; A question or relative adverb with words after it opens the clause that
;; follows and modifies that clause's word, not the verb before it (know how
;; to fix it, asked why he left, the town where it happened).
(defun clause-opening-wh-adverb () (and (bare-item) (not (before-punctuation)) (not (sentence-end))
                                        (comp (pitem-head-word) (reg-match "^([Hh]ow|[Ww]hy|[Ww]here|[Ww]hen|[Ww]henever|[Ww]herever)$"))))

;; An adverb after a comma keeps it (..., too; ..., however).
(def-modifiers Adv
  ;; A conjunction nothing else takes, as a last resort (back again and again).
  (? (Conn (dep-type cc) (max-dist 5) (dep-weight 60.0) (last-resort))
     ;; and, between two adverbs in -ly, one that makes the second a conjunct
     ;; of the first (slowly and deeply; a first pass has no last resorts).
     (Conn (dep-type cc) (max-dist 1) (dep-weight 2.0) (modifiee-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^[a-z]+ly$"))))
           (modifier-cond (comp (pitem-preceding-word) (reg-match "^[a-z]+ly$")))
           (merged-cond (marked-conjunct))))
  ;; (not when, where or once opening a clause: the comma before it belongs
  ;; to the clause)
  (? (Punc (dep-type punc) (max-dist 2) (modifier-cond (comma)) (modifiee-cond (not (subordinating-adverb)))))
  ;; (an adverb before too, as, so, very, how and their like modifies the
  ;; adjective they modify: just too good, nearly as big, just how fanatic)
  (* (Adv (dep-type mod) (max-dist 2) (modifier-cond (and (not (clause-adverb)) (not (place-or-time-adverb)) (not (sentence-connective)))) (modifiee-cond (not (or (intensifier) (focus-adverb))))
        (merged-cond (not (and (comp (pitem-modifiee) (negation-before-its-word)) (comp (pitem-modifier) (pitem-head-word) (reg-match "^([Ww]hy|[A-Za-z]+ly)$"))))))
     ;; and, as a last resort, "not" or "never" opening a sentence of two
     ;; adverbs (Not yet. Never again): the second heads it.
     (Adv (dep-type mod) (max-dist 1) (dep-weight 60.0) (last-resort)
          (modifier-cond (and (bare-item) (sentence-start) (comp (pitem-head-word) (reg-match "^([Nn]ot|[Nn]ever|NOT|NEVER)$"))))
          (modifiee-cond (and (bare-item) (or (before-punctuation) (sentence-end))))))
  ;; A determiner nothing else takes, as a last resort (a must, the same),
  ;; or a measure of time or way before ago, later, earlier and away (two
  ;; years ago, a week later, five miles away), and a bit, a little or a
  ;; lot before more or less (a lot more fun).
  (? (Det (dep-type det) (max-dist 3) (dep-weight 60.0) (last-resort))
     (N (dep-type mod) (max-dist 4) (dep-weight 1.0)
        (modifier-cond (and (no-cc) (no-punc) (head-last) (measure-noun)))
        (modifiee-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^(ago|later|earlier|away)$")))))
     (N (dep-type mod) (max-dist 3) (dep-weight 1.0)
        (modifier-cond (and (head-last) (comp (pitem-head-word) (reg-match ".*(bit|little|lot)$"))))
        (modifiee-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^(more|less)$"))))))
  (:head)
  ;; Adverbs joined by a conjunction (sooner or later, quickly and quietly),
  ;; and "enough" after its adverb (well enough).
  (* (Adv (dep-type mod) (max-dist 1) (modifier-cond (enough)))
     ;; An adverb of direction takes the phrase that tells where to or from
     ;; (back to work, away from home, west of Baghdad).
     (Prep (dep-type mod) (max-dist 1) (modifier-cond (and (no-cc) (with-object) (comp (pitem-head-word) (reg-match "^(to|from|of) .*"))))
           (modifiee-cond (comp (pitem-head-word) (reg-match "^([Bb]ack|[Aa]way|[Aa]part|[Ff]ar|[Dd]own|[Ww]est|[Ee]ast|[Nn]orth|[Ss]outh)$"))))
     (Adv (dep-type conj) (max-dist 4) (modifier-cond (and (conjunct) (get-modifier-by-type cc))) (modifiee-cond (no-cc)))
     ;; How often in a stretch of time (once a week, twice a day; train:
     ;; 13 of 14 such nouns hang from the adverb).
     (N (dep-type mod) (max-dist 3) (dep-weight 1.0) (modifier-cond (and (no-cc) (no-punc) (head-last) (measure-noun) (indefinite-article)))
        (modifiee-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^([Oo]nce|[Tt]wice)$")))))
     ;; The clause of comparison after it (as far as I know, sooner than
     ;; expected).
     (C (dep-type mod) (max-dist 10) (dep-weight 2.0) (modifier-cond (comparison-clause)) (modifiee-cond (compared-adverb)))))

;; A name right after a preposition, its object (units of the Frontier
;; Corps, managers within Enron).
(defun name-after-preposition () (and (comp (pitem-head-child) (pitem-head-word) (reg-match "^(.* )?[A-Z][A-Za-z.]*$")) (not (pronoun))
                                      (comp (pitem-preceding-word) (reg-match "^(of|in|at|on|from|for|with|within|to|by|about|across|throughout|inside|outside|near|under|over|into|like|than|between|among|against|through|around|during|since|after|before|without|via|toward|towards|including)$"))))

;; A phrase of a preposition other than "of" joined to a name (not the
;; capitalised first word of the sentence).
(defun preposition-after-name () (and (not (comp (pitem-modifier) (pitem-head-word) (reg-match "^of .*")))
                                      (comp (pitem-modifiee) (pitem-head-child) (and (capitalised) (not (sentence-start))))))
;; A phrase that opens a clause: first in the sentence, or after
;; punctuation, a conjunction or a subordinator (and in the morning he
;; left). A phrase right after a verb, noun or adjective rather belongs
;; to what is before it than to a verb after it.
(defun clause-opening-place () (or (sentence-start)
                                   (comp (pitem-preceding-word) (reg-match "^([,;:(\"'`]+|--?|\\.\\.+|[Aa]nd|[Bb]ut|[Oo]r|[Ss]o|[Tt]hat|[Ii]f|[Ww]hen|[Bb]ecause|[Ww]hile|[Aa]s|[Ss]ince|[Aa]lthough|[Tt]hough|[Uu]nless|[Uu]ntil|[Ww]here|[Tt]hen|[Ww]hich|[Ww]ho)$"))))
;; A phrase that holds a preposition and its object.
(defun with-prepositional-phrase () (comp (pitem-head-word) (reg-match "^(.* )?(of|for|in|with|from|on|at|by|about|to|like|between|among|including) .*")))
(defun after-preposition () (pitem-preceding-word (in ("of" "for" "in" "with" "from" "on" "at" "by" "about" "to" "like" "between" "among" "including"))))
;; A prepositional phrase a noun takes: one with its object, a particle or
;; a phrase of its own (of course), but none whose object is a relative word.
(defun noun-preposition-phrase () (and (no-cc) (not (relative-phrase)) (or (with-object) (comp (pitem-head-word) (reg-match "^(out|up|down|off|on|in|over|back|around|about|away|through|along|by|[^ ]+ [^ ].*)$")))))
;; A phrase of "including" names members of a set that a noun before it
;; names (copies of the settlement, including all declarations; killed 20
;; people, including many children): on the train split 34 such phrases
;; hang from a noun, pronoun or number before them, 4 from a verb, 2 from
;; an adjective, and one from a word after it. The noun's phrase may be
;; long by then (its own prepositional phrases and relative clause come
;; first), so the phrase reaches the noun from further away than other
;; prepositional phrases, and a verb takes it only as a last resort.
(defun set-member-phrase () (comp (pitem-head-word) (reg-match "^(, )?([Ii]ncluding|INCLUDING) .*")))
;; A phrase of time (on Friday, for two weeks, in 2005, at 5pm, during the
;; night): its preposition is one of time and its object a day, part of the
;; day, season, month, year, decade, clock time or unit of time.
(defun time-preposition () (comp (pitem-head-word) (reg-match "^([Ii]n|[Oo]n|[Aa]t|[Ff]or|[Dd]uring|[Ss]ince|[Uu]ntil|[Tt]ill|[Bb]y|[Ww]ithin|[Tt]hroughout|[Bb]efore|[Aa]fter|[Oo]ver)( |$)")))
(defun time-object () (comp (get-modifier-by-type pcomp) (pitem-head-word)
                            (reg-match "(.* )?([Mm]onday|[Tt]uesday|[Ww]ednesday|[Tt]hursday|[Ff]riday|[Ss]aturday|[Ss]unday|[Jj]anuary|[Ff]ebruary|[Mm]arch|[Aa]pril|[Mm]ay|[Jj]une|[Jj]uly|[Aa]ugust|[Ss]eptember|[Oo]ctober|[Nn]ovember|[Dd]ecember|[Mm]orning|[Aa]fternoon|[Ee]vening|[Nn]ight|[Tt]onight|[Tt]oday|[Yy]esterday|[Tt]omorrow|[Ww]eekend|[Ss]ummer|[Ww]inter|[Ss]pring|[Aa]utumn|day|week|month|year|hour|minute|decade|(mid-?)?(1[5-9]|20)[0-9][0-9]|((1[5-9]|20)[0-9]|[0-9])0'?s|[0-9]{1,2}(:[0-9][0-9]|(:[0-9][0-9])? ?[AaPp]\\.?[Mm]\\.?))s?$")))
(defun time-phrase () (and (time-preposition) (time-object)))
;; A bare noun joining a noun phrase past the object of its preposition.
(defun past-its-object () (and (comp (pitem-modifiee) (with-prepositional-phrase))
                               (not (comp (pitem-modifier) (or (get-modifier-by-type det) (get-modifier-by-type gen) (get-modifier-by-type num))))))
;; A noun with only its determiner, joined to a compound noun without one,
;; is more often the first of two conjoined compound parts (the omnibus
;; and master transactions; train: 19 to 11). Those parts pay for the
;; distance of the determiner, the first part and the noun's own head to
;; the last noun, so joining the two noun phrases must cost more still.
(defun prenominal-pair () (and (comp (pitem-modifiee) (and (head-last) (not (get-modifier-by-type mod)) (not (get-modifier-by-type nn))
                                                             (not (get-modifier-by-type num)) (not (get-modifier-by-type gen))
                                                             (or (get-modifier-by-type det)
                                                                 (and (head-first) (pitem-preceding-word (in ("the" "The" "a" "A" "an" "An" "both" "Both" "these" "These" "those" "Those" "this" "This" "that" "That" "any" "Any" "each" "Each" "some" "Some" "no" "No" "all" "All")))))))
                               (comp (pitem-modifier) (and (head-last) (get-modifier-by-type nn) (not (get-modifier-by-type det))
                                                            (not (get-modifier-by-type gen))))))
;; A conjunct with a prepositional phrase of its own rather joins a noun
;; with one too than the bare object of that noun's preposition (the
;; price of a ticket and the cost of a meal).
(defun unlike-object-conjunct () (and (comp (pitem-modifier) (with-prepositional-phrase))
                                      (comp (pitem-modifiee) (and (not (with-prepositional-phrase)) (after-preposition)))))
;; A bare noun joined to a noun with a determiner shares it, and the
;; prepositional phrase after the pair rather belongs to both (the
;; selection and price of wines): the phrase then hangs from the first.
(defun shared-modifier-conjunct () (and (comp (pitem-modifier) (pitem-head-word) (reg-match "^(and|or|&) [^ ]+ (of|for|in|with|from|on|at|by|about|to|like|between|among|including) .*"))
                                        (comp (pitem-modifiee) (and (get-modifier-by-type det) (head-last)))))
;; A phrase that ends with a word set off by a comma, bracket, colon or dash.
(defun set-off-number () (comp (pitem-head-word) (reg-match "^(.* )?(,|[(]|[)]|:|-|--) ?[^ ]+$")))

;; A lone word between commas (", Finland,"), and such a word after a noun
;; phrase that follows a comma itself or heads a list already.
(defun lone-word-between-commas () (and (comp (pitem-head-word) (reg-match "^, [^ ]+$")) (pitem-following-word (in (",")))))
(defun list-item-after-comma () (and (comp (pitem-modifier) (lone-word-between-commas))
                                     (comp (pitem-modifiee) (or (starts-with-punctuation) (pitem-preceding-word (in (","))) (get-modifier-by-type conj)))))

;; A subject pronoun after a comma and conjunction opens a clause, never a
;; noun conjunct (..., and he said; train: 1 conjunct, 230 subjects). So
;; does he, she, we or they after the conjunction alone (I took the puppy
;; to the vet and she was fine; train after a noun: 1 conjunct, 109
;; subjects). "I" there is often the last of coordinated subjects (Ann and
;; I met), and "it" is left out: held-out train sentences went wrong with it.
(defun subject-pronoun-after-and () (comp (pitem-head-word) (reg-match "^([,;] (and|but|or) (I|i|[Hh]e|[Ss]he|[Ww]e|[Tt]hey|[Ii]t)|(and|but|or) ([Hh]e|[Ss]he|[Ww]e|[Tt]hey))$")))
;; "I" after "and" or "or" alone joins a noun before it only where that
;; noun phrase opens a clause: first in the sentence, after punctuation, a
;; conjunction or subordinator, a capitalised sentence adverb, "in fact",
;; or a verb that takes a clause (My wife and I went; Unfortunately Ann
;; and I left; I think Tom and I can go). Elsewhere it is the subject
;; of a new clause (Its a great shop and I love it). Train: 37 conjuncts
;; in those places, 6 elsewhere; 153 subjects after "and" or "or".
(defun i-after-and-midclause () (and (comp (pitem-modifier) (pitem-head-word) (reg-match "^(and|or) (I|i)$"))
                                     (comp (pitem-modifiee) (not (or (clause-opening-place) (comp (pitem-preceding-word) (reg-match "^([A-Z][a-z]+ly|[Hh]ow|fact|think|thought|guess|hope|know|knew|believe|mean|said|say|says|sure)$")))))))

;; A noun phrase after a comma and "not" is the alternative it rules out,
;; a conjunct (the CEO of GE, not GM; train: 18 conjuncts, 1 apposition).
(defun negated-alternative () (comp (pitem-head-word) (reg-match "^, not [^,;:]+$")))
;; Nor is a noun phrase after a colon: it is what the word before the colon
;; introduces (GOODWYN: The candidate, Red Blount, had gotten rich; Pros:
;; Jill, the owner, is nice), never its conjunct in the train split.
(defun colon-opened () (comp (pitem-head-word) (reg-match "^: ")))

(def-modifiers N
  ;; A ruler line around a heading, as a last resort (---= Specialized Servers =---),
  ;; or an adjective before the others (Friendly Efficient and overall great place).
  (? (U (dep-type punc) (max-dist 12) (dep-weight 60.0) (last-resort) (modifier-cond (ruler)))
     (A (dep-type mod) (max-dist 8) (dep-weight 60.0) (last-resort) (modifier-cond (and (bare-item) (no-cc) (no-punc)))
        (modifiee-cond (not (or (personal-word) (bare-function-pronoun))))))
  (? (Punc (dep-type punc) (max-dist 6) (modifier-cond (or (comma) (opening-bracket)))))
  ;; Inside the sentence "but" and "yet" rather join the clause the noun
  ;; opens (..., but this time the crew was safe) than the noun itself.
  ;; The conjunction reaches its noun past a determiner, numbers and
  ;; adjectives (the staff and the two very friendly young waiters); held
  ;; to five words, such a conjunct lost its conjunction and often its place
  ;; (held-out train: UAS 81.91 to 81.98).
  (? (Conn (dep-type cc) (max-dist 10) (dep-weight 1.25)
           (modifier-cond (or (sentence-start) (not (comp (pitem-head-word) (in ("but" "But" "yet" "Yet"))))))
           (merged-cond (marked-conjunct)))
     ;; and any other as a last resort (..., but definitely not execution).
     (Conn (dep-type cc) (max-dist 5) (dep-weight 60.0) (last-resort) (merged-cond (marked-conjunct)))
     ;; "as well as" joins conjuncts too (the staff as well as the owner).
     (Adv (dep-type cc) (max-dist 8) (dep-weight 1.25) (modifier-cond (as-well-as)) (merged-cond (marked-conjunct))))
  ;; (never a question adverb: when Z happens, where it risks; nor "back"
  ;; or "away", which belong to the verb before them: pull back its forces)
  ;; (nor of a possessive pronoun: an adverb before one modifies its noun or
  ;; the verb, simply his opening gambit; train hangs none of 81 adverbs
  ;; right before a possessor from it)
  (? (Adv (dep-type mod) (max-dist 6) (dep-weight 20.0)
          (modifier-cond (and (not (comp (pitem-head-word) (reg-match "^([Ww]hen|[Ww]here|[Hh]ow|[Ww]hy|[Ww]henever|[Ww]herever|back|away)$"))) (not (sentence-connective))))
          (modifiee-cond (not (bare-possessor))))
     ;; (but "not" after a comma or "and" before a noun phrase sets that
     ;; phrase against another at a low cost: the idea, not the analysis;
     ;; train: 13 of 13 such negations hang from the noun)
     (Adv (dep-type mod) (max-dist 6) (dep-weight 1.0)
          (modifier-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^([Nn]ot|NOT)$")) (pitem-preceding-word (in ("," "and")))))))
  ;; A predeterminer (such a mess, quite a day, all my friends).
  (? (A (dep-type mod) (max-dist 5) (dep-weight 2.0) (modifier-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^([Ss]uch|[Qq]uite)$")))))
     (Adv (dep-type mod) (max-dist 5) (dep-weight 2.0) (modifier-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^([Ss]uch|[Qq]uite)$")))))
     (Det (dep-type det) (max-dist 5) (modifier-cond (comp (pitem-head-word) (reg-match "^([Aa]ll|[Bb]oth|[Hh]alf)$")))
          (modifiee-cond (or (get-modifier-by-type gen) (get-modifier-by-type det))))
     ;; and, as a last resort, an exclamative "what" (What a hidden gem).
     (N (dep-type det) (max-dist 5) (dep-weight 60.0) (last-resort)
        (modifier-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^[Ww]hat$"))))
        (modifiee-cond (get-modifier-by-type det))))
  ;; (a pronoun takes neither determiner nor adjective: all my friends, never
  ;; all of "my")
  (? (Det (dep-type det) (max-dist 8) (modifiee-cond (not (personal-word))))
     (N (dep-type gen) (max-dist 5) (modifier-cond (and (no-cc) (comp (pitem-attvec) (contain syn (case) (attvec syn ((case gen)))))))))
  (* (Num (dep-type num) (max-dist 4) (modifier-cond (and (no-cc) (not (numbered-label)))))
     ;; (an adjective with words after it stands before no noun: Very good
     ;; with my daughter, Great to have you; but good and cheap food)
     (A (dep-type mod) (max-dist 4) (modifier-cond (and (no-cc) (or (head-last) (get-modifier-by-type conj)))) (modifiee-cond (not (or (personal-word) (bare-function-pronoun)))))
     ;; An adjective that took a conjunction is rather a conjunct (small and
     ;; remote village) or leaves it to its noun (and mutual trust).
     (A (dep-type mod) (max-dist 4) (dep-weight 40.0) (modifier-cond (and (get-modifier-by-type cc) (or (head-last) (get-modifier-by-type conj)))) (modifiee-cond (not (or (personal-word) (bare-function-pronoun)))))
     ;; A participle before its noun, with no dependents after it (the
     ;; proposed structure, the above mentioned party, a bottling plant),
     ;; never before a pronoun: "doing it", "following me" are a verb and
     ;; its object.
     (V (dep-type mod) (max-dist 4) (dep-weight 1.0)
        (modifier-cond (and (participle) (head-last) (no-cc) (no-punc) (not (get-modifier-by-type s)) (not (get-modifier-by-type aux))))
        (modifiee-cond (not (or (personal-word) (bare-function-pronoun))))))
  (* :skip-word (in ("-"))
     ;; ("time" right before an -ing word is never its compound part on
     ;; train: the -ing word is a participle, spent more time standing)
     (N (dep-type nn) (max-dist 5) (modifier-cond (and (compound-part) (not (pronoun)) (not (before-comma-or-bracket))))
        (modifiee-cond (not (or (pronoun) (no-compound-head) (ing-word-after-time)))))
     ;; Conjoined compound parts (cargo and crew project, egg and cheese
     ;; sandwich), at the cost of a single one: after a determiner, "the N
     ;; and N N" is more often one noun with two compound parts than two
     ;; joined noun phrases (train: 19 to 11).
     (N (dep-type nn) (max-dist 6) (dep-weight 1.0) (modifier-cond (and (conjoined-compound-part) (not (pronoun)) (not (before-comma-or-bracket))))
        (modifiee-cond (not (or (pronoun) (no-compound-head))))))
  ;; Names: capitalised nouns before a capitalised noun are parts of its name.
  (* (N (dep-type lex-mod) (max-dist 4) (modifier-cond (and (bare-item) (capitalised) (not (before-comma-or-bracket))))
        (modifiee-cond (capitalised))))
  (:head)
  ;; A number right after its noun names it (Section 7); one set off by a
  ;; comma or bracket is an apposition (Phone ( 713 ) 853-3242, Nina, 19).
  (* :skip-word (in (","))
     (Num (dep-type num) (max-dist 4) (dep-weight 4.0)
          (modifier-cond (bare-item)) (merged-cond (not (set-off-number))))
     (Num (dep-type appo) (max-dist 4) (dep-weight 4.0)
          (modifier-cond (bare-item)) (merged-cond (set-off-number))))
  ;; A preposition after a noun has its object, unless it is a particle
  ;; or a phrase of its own (of course): a bare "of" or "to" rather lost
  ;; its object to a wrong reading.
  ;; (but not one whose object is a relative word: it belongs to the
  ;; relative clause after it, the premise with which they act)
  (* (Prep (dep-type mod) (max-dist 7) (modifiee-cond (not (personal-pronoun)))
           (modifier-cond (and (noun-preposition-phrase) (not (time-phrase)) (not (set-member-phrase))))
           (merged-cond (not (preposition-after-name))))
     ;; (a phrase of "including" reaches further: the whole phrase of a
     ;; noun, Number of Saudis, including members ...; but not a noun of
     ;; time, which names no set: killed on Tuesday, including a group)
     (Prep (dep-type mod) (max-dist 20) (modifiee-cond (and (not (personal-pronoun)) (not (time-noun))))
           (modifier-cond (and (set-member-phrase) (noun-preposition-phrase))))
     ;; (a phrase of time at a higher cost: it rather dates or times the
     ;; verb than the noun before it, met the board on Friday)
     (Prep (dep-type mod) (max-dist 7) (dep-weight 30.0) (modifiee-cond (not (personal-pronoun)))
           (modifier-cond (and (noun-preposition-phrase) (time-phrase)))
           (merged-cond (not (preposition-after-name))))
     ;; (after a name, at a higher cost unless it is "of": a name takes a
     ;; phrase of "of", Bank of America, but other prepositions after it
     ;; rather belong to the verb or noun before it, a dinner for Governor
     ;; Davis on Thursday)
     (Prep (dep-type mod) (max-dist 7) (dep-weight 5.0) (modifiee-cond (not (personal-pronoun)))
           (modifier-cond (and (noun-preposition-phrase) (not (set-member-phrase))))
           (merged-cond (preposition-after-name)))
     ;; (also of a pronoun that is not personal: someone who knew, those who came)
     ;; (the reach counts from the first word of the noun phrase, so 8
     ;; words let a long one keep its clause: a ( non-violent ) domestic
     ;; fight that lasted an hour, the very tall and quite friendly new
     ;; manager who runs it; at 7 the clause went to a later part of it)
     (C (dep-type rel) (max-dist 8) (dep-weight 5.0) (modifier-cond (and (full-clause) (relative-word) (not (when-clause))))
        (modifiee-cond (and (or (not (pronoun)) (not (or (personal-word) (wh-word)))) (not (name-after-preposition)))))
     ;; (of a name that is the object of a preposition at a higher cost:
     ;; the clause rather belongs to the noun the phrase modifies, the
     ;; managers within Enron who ...)
     (C (dep-type rel) (max-dist 8) (dep-weight 10.0) (modifier-cond (and (full-clause) (relative-word) (not (when-clause))))
        (modifiee-cond (name-after-preposition)))
     ;; (one without relative word at a higher cost, with a pronoun as
     ;; subject: the book I read; with any other subject, or a name right
     ;; after a name, at a cost higher still: that is rather a clause of its
     ;; own or one longer name, Austin Aaron Bernard III, 36, was arrested)
     ;; (never past "so" or "then": frosts in October so I would not advise ...)
     ;; (after "time" the clause needs no gap: every time I call them, the
     ;; first time we went there)
     (C (dep-type rel) (max-dist 7) (dep-weight 15.0) (modifier-cond (and (full-clause) (not (relative-word)) (or (relative-clause) (gapless-relative-clause)) (not (predicateless-copula))))
        (modifiee-cond (and (or (not (pronoun)) (not (or (personal-word) (wh-word)))) (not (pitem-following-word (in ("so" "So" "then" "Then"))))))
        (merged-cond (and (not (name-after-name-clause)) (comp (pitem-modifier) (pronoun-subject-clause))
                          (or (comp (pitem-modifier) (relative-clause)) (comp (pitem-modifiee) (time-word))))))
     (C (dep-type rel) (max-dist 7) (dep-weight 45.0) (modifier-cond (and (full-clause) (not (relative-word)) (relative-clause) (determined-subject-clause)))
        (modifiee-cond (and (or (not (pronoun)) (not (or (personal-word) (wh-word)))) (not (pitem-following-word (in ("so" "So" "then" "Then"))))))
        (merged-cond (and (not (name-after-name-clause)) (not (comp (pitem-modifier) (pronoun-subject-clause))))))
     ;; (with a bare common noun as subject, or a name right after a name,
     ;; only as a last resort, also where the noun phrase opens the sentence
     ;; (Sir Francis Walsingham dies: ... is a clause, not a heading); it
     ;; may join inside a piece of the first pass, whose analysis often took
     ;; the clause's subject for itself)
     (C (dep-type rel) (max-dist 7) (dep-weight 45.0) (last-resort anywhere) (modifier-cond (and (full-clause) (not (relative-word)) (relative-clause)))
        (modifiee-cond (and (or (not (pronoun)) (not (or (personal-word) (wh-word)))) (not (pitem-following-word (in ("so" "So" "then" "Then"))))))
        (merged-cond (bare-subject-relative)))
     ;; A free relative (What they wonder is ..., All you need is ...).
     (C (dep-type rel) (max-dist 7) (dep-weight 6.0) (modifier-cond (or (and (full-clause) (relative-clause) (not (relative-word))) (subject-gap-clause)))
        (modifiee-cond (and (free-relative-head) (not (after-question-verb))))
        (merged-cond (or (not (comp (pitem-modifier) (subject-gap-clause))) (comp (pitem-modifiee) (what-word)))))
     ;; A noun after a comma or conjunction heads no list of its own: the
     ;; later items of a list all hang from the first (London, Calgary,
     ;; Toronto or Houston; love and attention, food, shelter).
     (N (dep-type conj) (max-dist 20) (modifier-cond (and (conjunct) (not (colon-opened)) (not (subject-pronoun-after-and)) (or (get-modifier-by-type cc) (list-goes-on) (list-end) (negated-alternative))))
        (modifiee-cond (and (no-cc) (not (starts-with-punctuation)))) (merged-cond (not (or (past-its-object) (unlike-object-conjunct) (shared-modifier-conjunct) (prenominal-pair) (i-after-and-midclause)))))
     (N (dep-type conj) (max-dist 20) (dep-weight 38.0) (modifier-cond (and (conjunct) (not (colon-opened)) (not (subject-pronoun-after-and)) (or (get-modifier-by-type cc) (list-goes-on) (list-end) (negated-alternative))))
        (modifiee-cond (and (no-cc) (not (starts-with-punctuation)))) (merged-cond (and (not (or (past-its-object) (unlike-object-conjunct) (shared-modifier-conjunct) (i-after-and-midclause))) (prenominal-pair))))
     (N (dep-type conj) (max-dist 20) (dep-weight 21.0) (modifier-cond (and (conjunct) (not (colon-opened)) (not (subject-pronoun-after-and)) (or (get-modifier-by-type cc) (list-goes-on) (list-end) (negated-alternative))))
        (modifiee-cond (and (no-cc) (not (starts-with-punctuation)))) (merged-cond (and (not (past-its-object)) (not (unlike-object-conjunct)) (not (i-after-and-midclause)) (shared-modifier-conjunct))))
     (N (dep-type conj) (max-dist 20) (dep-weight 31.0) (modifier-cond (and (conjunct) (not (colon-opened)) (not (subject-pronoun-after-and)) (or (get-modifier-by-type cc) (list-goes-on) (list-end) (negated-alternative))))
        (modifiee-cond (and (no-cc) (not (starts-with-punctuation)))) (merged-cond (and (not (past-its-object)) (not (i-after-and-midclause)) (unlike-object-conjunct))))
     ;; A bare noun after a noun with a prepositional phrase rather joins
     ;; the object of the preposition (a selection of fabric and notions);
     ;; one with a determiner may join either (millions of refugees and
     ;; their descendants).
     (N (dep-type conj) (max-dist 20) (dep-weight 40.0) (modifier-cond (and (conjunct) (not (colon-opened)) (not (subject-pronoun-after-and)) (or (get-modifier-by-type cc) (list-goes-on) (list-end) (negated-alternative))))
        (modifiee-cond (and (no-cc) (not (starts-with-punctuation)))) (merged-cond (and (past-its-object) (not (i-after-and-midclause)))))
     ;; and so is the noun after a comma that closes a list begun with
     ;; commas (Mary John, Russell Dyk, Webb Jennings).
     (N (dep-type conj) (max-dist 20) (modifier-cond (and (conjunct) (comp (pitem-head-word) (reg-match "^, .*")) (or (before-punctuation) (sentence-end))))
        (modifiee-cond (and (no-cc) (not (starts-with-punctuation)) (get-modifier-by-type conj))))
     ;; After a comma, an apposition closes with punctuation or the sentence
     ;; (Nina, 19, said ...); a noun phrase running into a verb is rather that
     ;; verb's subject, and an apposition only as a last resort.
     ;; A phrase that took a conjunction is a conjunct, never an apposition.
     ;; A single word between commas after a noun phrase that itself follows
     ;; a comma is the next item of a list, no apposition (Canada, Denmark,
     ;; Finland, Norway and Sweden; train: 97 conjuncts, 4 appositions).
     ;; (at 1.5, which held-out train sentences prefer to 3: a closing
     ;; apposition rather than a loose conjunct, Take care, my friend, Linda;
     ;; but a lone word between commas stays at 3, the next item of a list
     ;; as often: human lives, properties, etc.)
     (N (dep-type appo) (max-dist 8) (dep-weight 1.5) (modifier-cond (and (no-cc) (not (negated-alternative)) (not (lone-word-between-commas)) (not (personal-pronoun-head))
                                                                          (or (and (starts-with-punctuation) (or (before-punctuation) (sentence-end))) (bracketed) (angle-bracketed))))
        (merged-cond (not (list-item-after-comma))))
     (N (dep-type appo) (max-dist 8) (dep-weight 3.0) (modifier-cond (and (lone-word-between-commas) (no-cc) (not (negated-alternative)) (not (personal-pronoun-head))))
        (merged-cond (not (list-item-after-comma))))
     (N (dep-type appo) (max-dist 8) (dep-weight 60.0) (modifier-cond (and (no-cc) (not (personal-pronoun-head)) (starts-with-punctuation) (not (before-punctuation)) (not (sentence-end)))))
     ;; you guys, we two
     (N (dep-type appo) (max-dist 2) (dep-weight 2.0)
        (modifier-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^(guys|people|folks|two)$"))))
        (modifiee-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^([Yy]ou|[Ww]e|[Uu]s)$")))))
     ;; "else" after a pronoun (anyone else, what else).
     (Adv (dep-type mod) (max-dist 2) (modifier-cond (comp (pitem-head-word) (str= "else"))) (modifiee-cond (pronoun)))
     ;; "below" right after a noun points within the text from it (the
     ;; link below, the first source below): train has 18 of 20 on the noun.
     ;; (A dependent after its head is measured from the first word of the
     ;; head's phrase, its determiner and adjectives included; a noun with
     ;; nothing after it yet takes the adverb right after its last word.)
     (Adv (dep-type mod) (max-dist 6) (modifier-cond (comp (pitem-head-word) (str= "below"))) (modifiee-cond (head-last)))
     ;; "here" and "there" right after a noun place what it names (the
     ;; embassy here, the workers there; train: 23 of 41 and 13 of 33 such
     ;; adverbs hang from the noun), at a high cost: a verb before the noun
     ;; takes them as readily, and on held-out train sentences a lower cost
     ;; moved more of them from the verb wrongly than rightly. Never from a
     ;; personal pronoun (got it here, hold it there).
     (Adv (dep-type mod) (max-dist 6) (dep-weight 40.0) (modifier-cond (comp (pitem-head-word) (reg-match "^([Hh]ere|[Tt]here)$"))) (modifiee-cond (and (head-last) (not (personal-pronoun)))))
     ;; An adjective after an indefinite pronoun (something wrong, nothing
     ;; better than this, anything more).
     (A (dep-type mod) (max-dist 2) (dep-weight 2.0) (modifier-cond (no-cc))
        (modifiee-cond (comp (pitem-head-child) (pitem-head-word) (reg-match "^([Ss]ome|[Aa]ny|[Nn]o|[Ee]very)(thing|one|body)$"))))
     ;; A rate after an amount (70.85 dollars a barrel, $3 a gallon), and
     ;; a reflexive pronoun of the third person right after a noun that it
     ;; stresses (the surgery itself, Spain itself will pay; train: 22 of
     ;; 24 such reflexives after a noun hang from it; myself and yourself
     ;; there rather stress the subject: I did the work myself).
     ;; So does "all" or "both" right after a pronoun that is no subject
     ;; (thank you all, give them all a piece, mix it all up; train: 17 such
     ;; words hang from the pronoun, 7 from a word after it). After a
     ;; subject pronoun it modifies the verb (we all know).
     (N (dep-type mod) (max-dist 3) (dep-weight 2.0)
        (modifier-cond (comp (pitem-head-word) (reg-match "^((a|an|per|each) (barrel|gallon|litre|liter|pound|ounce|ton|kilo|mile|day|night|week|month|year|hour|minute|piece|head|person|share|unit)|itself|themselves|himself|herself|[Aa]ll|ALL|[Bb]oth)$")))
        (merged-cond (if (comp (pitem-modifier) (all-or-both))
                         (comp (pitem-modifiee) (pitem-head-word) (reg-match "^([Yy]ou|YOU|[Uu]s|[Tt]hem|THEM|[Ii]t|IT|'em)$"))
                         (or (comp (pitem-modifiee) (get-modifier-by-type num))
                             (and (comp (pitem-modifier) (reflexive-pronoun)) (comp (pitem-modifiee) (not (pronoun))) (comp (pitem-modifiee) (head-last)))))))
     ;; A heading and the clause after its colon (Moral of the story: don't
     ;; drink Coke).
     (C (dep-type para) (max-dist 30) (dep-weight 4.0) (modifier-cond (and (no-cc) (fin-clause) (after-colon)))
        (modifiee-cond (sentence-start)))
     ;; (never of a personal pronoun after an auxiliary, Are you enjoying
     ;; it?, nor of one that is no subject, keep me posted, get it signed:
     ;; the train split hangs none of 125 participles right after a personal
     ;; pronoun from it; a nominative one keeps the link, which covers a
     ;; clause missing its auxiliary: but I looking to move; nor of a
     ;; reflexive one, which is an object, picture yourself sitting there)
     ;; (nor a past participle of a noun right after have, get, keep, want
     ;; or need: it is that verb's complement, had my horse transported;
     ;; train: 98 such participles hang from the verb, 11 from the noun;
     ;; nor a gerund of a noun right after spend, waste, keep, feel or find)
     ;; (nor a participle of a possessive pronoun: one after it modifies the
     ;; noun after it, our departing manager, its broken leash; of the 88
     ;; words in -ing or -ed after one in train, none hangs from the
     ;; pronoun. One with a complement stays, where
     ;; the pronoun is rather its subject: our agreeing to wait. "Your" is
     ;; left out, as it is often written for "you're")
     ;; (and a nominative pronoun keeps only an -ing form: a form in -ed
     ;; after I, he, she, we or they is the clause's verb, I purchased a
     ;; car, not a participle hung from the pronoun; train hangs none from
     ;; one. "had" and "got" stay: there a participle often follows them,
     ;; she had "accidentally" fallen, I got yelled at, which the link
     ;; still covers)
     ;; (a past participle with an object modifies no noun, save one of
     ;; naming, whose object is the name: a guy named Joe, an island called
     ;; Jeju; train has 21 such participles after a noun hanging from it
     ;; and 6 verbs of a clause whose subject the noun is)
     (V (dep-type mod) (max-dist 8) (dep-weight 2.0) (modifier-cond (and (participle) (no-cc) (not (starts-with-punctuation)) (not (get-modifier-by-type s))
                                                               (or (gerund) (not (get-modifier-by-type obj))
                                                                   (comp (pitem-head-word) (reg-match "^(called|named|titled|entitled|dubbed|nicknamed) ")))))
        (modifiee-cond (not (or (reflexive-pronoun) (and (personal-pronoun) (or (after-auxiliary) (not (nominative)))) (name-word))))
        (merged-cond (and (not (and (comp (pitem-modifier) (past-participle)) (comp (pitem-modifiee) (after-causative-verb))))
                          (not (inverted-passive-participle))
                          (not (and (comp (pitem-modifiee) (possessive-pronoun-not-your)) (not (comp (pitem-modifier) (get-modifier-by-type comp)))))
                          (not (and (comp (pitem-modifier) (gerund)) (comp (pitem-modifiee) (after-gerund-object-verb))))
                          (not (and (comp (pitem-modifier) (gerund)) (comp (pitem-modifier) (pitem-preceding-word) (reg-match "^time$")) (comp (pitem-modifier) (pitem-head-word) (reg-match "^[A-Za-z]+ing( .*)?$")) (comp (pitem-modifiee) (time-before-gerund))))
                          (not (and (comp (pitem-modifiee) (nominative)) (not (comp (pitem-modifier) (gerund))) (not (comp (pitem-modifier) (pitem-head-word) (reg-match "^([Hh]ad|[Gg]ot)( |$)"))))))))
     ;; A participle phrase set off by commas after the noun opening the
     ;; sentence (The complaint, filed with the department, accuses ...):
     ;; the noun takes the comma closing it too and is the subject.
     (V (dep-type mod) (max-dist 12) (dep-weight 2.0) (modifier-cond (and (participle) (no-cc) (starts-with-punctuation) (before-comma) (not (get-modifier-by-type s))))
        (modifiee-cond (and (sentence-start) (not (personal-pronoun)))))
     ;; An infinitive of a noun that takes one (a chance to win, the right
     ;; to vote; for years to come), never of a personal pronoun (I want
     ;; you to go); after other nouns it rather tells the purpose of the
     ;; verb (used a supplement to aid weight loss).
     (V (dep-type mod) (max-dist 8) (dep-weight 3.0) (modifier-cond (and (base-form) (get-modifier-by-type aux) (no-cc) (not (get-modifier-by-type s))))
        (modifiee-cond (and (not (personal-pronoun)) (or (infinitive-noun) (after-have) (period-noun))))
        (merged-cond (or (comp (pitem-modifier) (infinitive-come)) (comp (pitem-modifiee) (or (infinitive-noun) (after-have))))))
     (V (dep-type mod) (max-dist 8) (dep-weight 60.0) (modifier-cond (and (base-form) (get-modifier-by-type aux) (no-cc) (not (get-modifier-by-type s))))
        (modifiee-cond (and (not (personal-pronoun)) (not (infinitive-noun)) (not (after-have)) (not (name-word))))))
  ;; The possessive marker closes the possessor (John 's): the phrase is then genitive.
  (? (Part (dep-type poss) (max-dist 12) (merged-cond (comp (pitem-attvec) (modify syn ((case gen)))))))
  ;; A phrase that opened a bracket closes it (Portland (ENA)); one that
  ;; opened with a comma, an apposition, may close with one (Nina, 19, said),
  ;; unless a conjunction follows (A, B, and C).
  (? (Punc (dep-type punc) (max-dist 12) (modifier-cond (closing-bracket)) (modifiee-cond (bracketed)))
     (Punc (dep-type punc) (max-dist 12) (dep-weight 2.0)
           (modifier-cond (and (comp (pitem-head-word) (in (","))) (not (pitem-following-word (in ("and" "or" "but" "&" "nor"))))))
           (modifiee-cond (starts-with-punctuation)))
     (Punc (dep-type punc) (max-dist 30) (dep-weight 2.0) (modifier-cond (comma))
           (modifiee-cond (and (sentence-start) (set-off-participle)))))
  ;; As a last resort, a noun phrase takes a noun phrase or number after it
  ;; that nothing else takes, past a colon, dash or bracket, as apposition
  ;; (Slope: 0.1171 (0.0022), Great place 5 stars); never after a bare
  ;; word that rather belongs to the phrase after it (What a gem, Its the
  ;; only place).
  (* :skip-word (in (":" "-" "--" "(" ")"))
     (N (dep-type appo) (max-dist 20) (dep-weight 60.0) (last-resort)
        (modifier-cond (and (no-cc) (not (pronoun)) (not (starts-with-punctuation)) (comp (pitem-preceding-word) (in (":" "-" "--" "(" ")")))))
        (modifiee-cond (not (and (bare-item) (comp (pitem-head-word) (reg-match "^([Ww]hat|[Tt]hats|[Ii]ts|[Tt]hat|[Ii]t|[Tt]his|[Ii]ts)$"))))))
     ;; (one right after the phrase, with no such mark between, at twice the
     ;; cost: in train sentences that need the second pass, those are
     ;; rarely right)
     (N (dep-type appo) (max-dist 20) (dep-weight 120.0) (last-resort)
        (modifier-cond (and (no-cc) (not (pronoun)) (not (starts-with-punctuation)) (not (comp (pitem-preceding-word) (in (":" "-" "--" "(" ")"))))))
        (modifiee-cond (not (and (bare-item) (comp (pitem-head-word) (reg-match "^([Ww]hat|[Tt]hats|[Ii]ts|[Tt]hat|[Ii]t|[Tt]his|[Ii]ts)$"))))))
     (Num (dep-type appo) (max-dist 20) (dep-weight 60.0) (last-resort))
     ;; and an adjective after it (anything extraordinary, Great food cheap),
     ;; but not after a capitalised word alone (Beer a bit expensive:
     ;; rather the adjective's subject)
     (A (dep-type mod) (max-dist 20) (dep-weight 60.0) (last-resort)
        (modifier-cond (and (no-cc) (not (capitalised)) (not (starts-with-punctuation)) (not (get-modifier-by-type conj))))
        (modifiee-cond (not (and (bare-item) (capitalised)))))
     ;; and an adverb closing the sentence or clause after it (Good food
     ;; though, Room ok.); an adverb with words after it rather belongs to
     ;; what follows (then ... later do another). Not a question adverb,
     ;; which opens a clause of its own, nor "either", which opens a choice
     ;; (They either: a) ...), nor a capitalised word, rather a name's part
     ;; (Robert Quick); and not after a bare name inside the sentence, which
     ;; rather ends a phrase within the one the adverb belongs to (Great
     ;; with SEO as well).
     (Adv (dep-type mod) (max-dist 20) (dep-weight 60.0) (last-resort)
          (modifier-cond (and (no-cc) (not (starts-with-punctuation)) (or (before-punctuation) (sentence-end)) (not (capitalised))
                              (not (comp (pitem-head-word) (reg-match "^([Ww]hen|[Ww]here|[Hh]ow|[Ww]hy|[Ww]henever|[Ww]herever|[Ee]ither|[Nn]either)$")))))
          (modifiee-cond (not (and (bare-item) (capitalised) (not (sentence-start)))))))
  ;; and an adjective or prepositional phrase that took a conjunction as
  ;; its conjunct (an okay doctor but not worth it).
  (? (A (dep-type conj) (max-dist 20) (dep-weight 60.0) (last-resort) (modifier-cond (get-modifier-by-type cc)))
     (Prep (dep-type conj) (max-dist 20) (dep-weight 60.0) (last-resort) (modifier-cond (get-modifier-by-type cc))))
  (? (U (dep-type punc) (max-dist 40) (dep-weight 60.0) (last-resort) (modifier-cond (ruler)))))

(def-modifiers Prep
  (? (Punc (dep-type punc) (max-dist 3) (modifier-cond (or (comma) (opening-bracket)))))
  ;; A conjunction nothing else takes, as a last resort (and | a must see).
  (? (Conn (dep-type cc) (max-dist 5) (dep-weight 60.0) (last-resort)))
  (? (Conn (dep-type cc) (max-dist 3) (merged-cond (marked-conjunct))))
  ;; A focusing or degree adverb before the phrase (just in the water, right
  ;; after lunch); adverbs of place, direction and time rather modify the
  ;; verb before them (went back to work, is here in Houston, call now for,
  ;; came long before the storm: train has much, somewhere, ahead, equally,
  ;; long, before and the points of the compass on the word before the
  ;; phrase at least three times in four). Nor does an adverb other than
  ;; a focusing one right after a past form or a gerund (based solely on,
  ;; sinking slightly into; but located just off): train has 31 of 35 such
  ;; adverbs on the verb. "forever" is an adverb of time like "long" (get
  ;; rid forever of it, wait around forever like most places).
  (? (Adv (dep-type mod) (max-dist 2) (dep-weight 6.0)
          (modifier-cond (and (bare-item)
                              (not (and (after-verb-form)
                                        (not (comp (pitem-head-word) (reg-match "^([Jj]ust|[Oo]nly|[Aa]ll|[Rr]ight|[Ee]ven|[Mm]ostly|[Mm]ore|[Mm]erely|[Ss]imply|[Ee]xactly|[Ee]specially|[Pp]artly)$")))))
                              (not (comp (pitem-head-word) (reg-match "^([Bb]ack|[Oo]ut|[Aa]way|[Ii]n|[Uu]p|[Hh]ere|[Tt]here|[Aa]gain|[Dd]own|[Oo]n|[Aa]round|[Tt]ogether|[Nn]ow|[Ff]ar|[Hh]ome|[Oo]ver|[Ee]nough|[Ff]orward|[Aa]part|[Tt]wice|[Qq]uickly|[Bb]etter|[Aa]go|[Hh]ard|[Ff]orth|[Aa]nywhere|[Ff]urther|[Ll]ate|[Ll]onger|[Ll]ater|[Ee]arlier|[Oo]ff|[Tt]hrough|[Ss]oon|[Oo]utside|[Ii]nside|[Aa]broad|[Tt]oday|[Tt]omorrow|[Yy]esterday|[Tt]onight|[Ii]mmediately|[Ee]lse|[Dd]irectly|[Aa]nyway|[Aa]lready|[Yy]et|[Oo]nce|[Mm]uch|[Ss]omewhere|[Aa]head|[Ee]qually|[Ll]ong|[Bb]efore|[Ww]est|[Ee]ast|[Nn]orth|[Ss]outh|[Ff]orever)$")))))))
  (:head)
  ;; "back" takes no object: right before a noun phrase it belongs to the
  ;; verb before it (brings back bad memories); train never has it as a
  ;; preposition.
  (? (N (dep-type pcomp) (max-dist 8) (modifier-cond (and (no-cc) (no-punc) (not (bare-possessor))))
        (modifiee-cond (not (comp (pitem-head-word) (reg-match "^[Bb]ack$")))))
     (Num (dep-type pcomp) (max-dist 4))
     ;; as such, in general, for sure
     (A (dep-type pcomp) (max-dist 2) (dep-weight 4.0) (modifier-cond (and (bare-item) (comp (pitem-head-word) (in ("such" "general" "sure" "least" "most" "best" "last" "first" "all" "once" "large" "full" "length" "particular" "short"))))))
     ;; until now, since then, from here, so far, at once, of late
     (Adv (dep-type pcomp) (max-dist 2) (dep-weight 4.0) (modifier-cond (and (bare-item) (comp (pitem-head-word) (in ("now" "then" "there" "here" "far" "long" "ever" "once" "late"))))))
     ;; (a past participle takes no object there: pictures of mutilated
     ;; bodies is a participle before its noun; nor is one that took a
     ;; conjunction the object of a particle before it: came in and asked)
     (V (dep-type pcomp) (max-dist 6) (modifier-cond (and (participle) (not (get-modifier-by-type s)) (or (gerund) (and (no-cc) (not (get-modifier-by-type obj)))))))
     ;; in order to win, so as to avoid it: the infinitive belongs to the
     ;; preposition, the phrase tells the purpose
     (V (dep-type pcomp) (max-dist 4) (modifier-cond (and (base-form) (no-cc) (get-modifier-by-type aux)))
        (modifiee-cond (comp (pitem-head-word) (reg-match "^([Ii]n order|[Ss]o as)$")))))
  ;; out of, off of, along with, except for: the second preposition is the
  ;; object of the first (the treebank makes both case markers).
  (? (Prep (dep-type pcomp) (max-dist 1) (modifier-cond (and (no-cc) (with-object) (comp (pitem-head-word) (reg-match "^(of|with|for) .*"))))
           (modifiee-cond (and (not (with-object)) (comp (pitem-head-word) (reg-match "^([Oo]ut|[Oo]ff|[Oo]utside|[Ii]nside|[Aa]long|[Ee]xcept)$"))))))
  (* (Prep (dep-type conj) (max-dist 8) (modifier-cond (conjunct))))
  (? (Punc (dep-type punc) (max-dist 12) (modifier-cond (closing-bracket)) (modifiee-cond (bracketed))))
  ;; As a last resort, a preposition without object takes as object what
  ;; follows it, past a colon, that nothing else takes (tickets for
  ;; Corporate, a cup of from that area, ARTICLE AT: http://...).
  (? :skip-word (in (":"))
     (N (dep-type pcomp) (max-dist 12) (dep-weight 60.0) (last-resort) (modifier-cond (no-cc)) (modifiee-cond (not (with-object))))
     (A (dep-type pcomp) (max-dist 12) (dep-weight 60.0) (last-resort) (modifier-cond (no-cc)) (modifiee-cond (not (with-object))))
     (Prep (dep-type pcomp) (max-dist 12) (dep-weight 60.0) (last-resort) (modifier-cond (and (no-cc) (with-object))) (modifiee-cond (not (with-object))))))

;; "Well" opening the sentence before a comma or a subject is a discourse
;; word (Well, I think so; Well you say so).
(defun opening-well () (and (sentence-start) (bare-item) (comp (pitem-head-word) (reg-match "^([Ww]ell|WELL)$"))
                            (or (before-comma) (pitem-following-word (in ("I" "i" "you" "he" "she" "we" "they" "it" "that" "this" "there" "if" "maybe"))))))

;; A verb phrase after a comma (and its conjunction) with no subject of its
;; own rather joins a verb whose phrase opens the sentence than one whose
;; phrase starts inside it (They told us to come back later, and closed the
;; door: closed joins told; train: of 180 such conjuncts with a conjunction
;; whose nearest verb's phrase starts inside the sentence, 124 join a verb
;; further out). Joining such an inner verb costs what a conjunct of
;; another form costs.
(defun inner-verb-after-comma () (and (comp (pitem-modifier) (starts-with-punctuation)) (not (comp (pitem-modifiee) (sentence-start)))))
;; The usual place of a verb conjunct: a verb of a form it may share, not
;; past that verb's complement, nor inside the sentence after a comma.
(defun usual-verb-conjunct () (and (matching-conjunct-form) (not (over-complement)) (not (inner-verb-after-comma))))
;; A verb phrase after a lone comma that is the main clause after a fronted
;; one (lone-comma-conjunct) joins that clause's verb at the higher cost
;; neither, though the comma alone keeps it from its usual place.
(defun fronted-clause-request () (and (lone-comma-conjunct) (matching-conjunct-form) (not (over-complement))))

;; The verb phrase: conjunction, adjuncts (a comma after a fronted adjunct
;; is passed over), subject, auxiliaries, negation on the left; objects come
;; from the subcategories, adjuncts and later conjuncts on the right.
;; A link on the right measures its distance from the first word of the
;; verb's phrase as built so far, its subject and fronted adjuncts
;; included: the clauses and infinitives after the verb reach 10 words
;; further than they lie from the verb itself.
(def-modifiers V
  ;; A postscript mark opening the sentence (PS -- There is ..., PS. Love it!).
  (? (N (dep-type disc) (max-dist 4) (modifier-cond (and (sentence-start) (bare-item) (comp (pitem-head-word) (reg-match "^(PS|P\\.S\\.|PS\\.|Ps|ps)$"))))))
  ;; A verb of saying after a comma takes the clause before it as what it
  ;; reports, unless it reports a clause of its own after it (We were late,
  ;; he told Jo that the bus had left: one complement only), nor one
  ;; opened by "so" or "then" (It was late, so I told Ann: train has such
  ;; verbs of saying as clauses of their own).
  (? (C (dep-type comp) (max-dist 60) (dep-weight 3.0) (modifier-cond (and (fin-clause) (full-clause)))
        (modifiee-cond (and (get-modifier-by-type punc) (get-modifier-by-type s) (reporting-position) (reporting-verb) (not (get-modifier-by-type comp))
                            (not (comp (pitem-head-word) (reg-match "^, ?(so|So|then|Then) .*")))))))
  (? (Punc (dep-type punc) (max-dist 10) (modifier-cond (comma))))
  ;; A bare verb of saying takes the clause it reports past the comma and
  ;; quotes before it ("We won," said Ann); its subject follows it.
  (? :skip-word (in ("," "\"" "''" "”" "’’"))
     (C (dep-type comp) (max-dist 60) (dep-weight 0.5) (modifier-cond (and (fin-clause) (full-clause)))
        (modifiee-cond (and (bare-item) (inverting-reporting-verb)))))
  ;; A conjunction nothing else takes, as a last resort (and | a must see).
  (? (Conn (dep-type cc) (max-dist 5) (dep-weight 60.0) (last-resort)))
  ;; (one inside the sentence reaches its verb past a long subject: ...
  ;; and the manager of the small restaurant on the corner never came; one
  ;; opening the sentence reaches it past a fronted clause too: But if you
  ;; want to go, you have to ...)
  (? (Conn (dep-type cc) (max-dist 15) (dep-weight 2.0) (modifier-cond (not (sentence-start))) (merged-cond (marked-conjunct)))
     (Conn (dep-type cc) (max-dist 30) (dep-weight 2.0) (modifier-cond (sentence-start)) (merged-cond (marked-conjunct)))
     (Adv (dep-type cc) (max-dist 10) (dep-weight 2.0) (modifier-cond (as-well-as)) (merged-cond (marked-conjunct))))
  ;; A fronted clause keeps its own closing comma (If you go, ...); an
  ;; adverb, interjection or name may stand before it (Maybe if you ask,
  ;; Phil if you could ...).
  ;; (its complementiser, the clause's head word, may lie up to 30 words
  ;; before the verb: a long if-clause)
  (* (Adv (dep-type mod) (max-dist 14) (dep-weight 2.0) (modifier-cond (and (bare-item) (clause-adverb)))
          (modifiee-cond (get-modifier-by-type mod)) (merged-cond (not-before-subordinate-clause)))
     (Intj (dep-type disc) (max-dist 14) (dep-weight 1.0) (modifiee-cond (get-modifier-by-type mod)))
     (N (dep-type voc) (max-dist 14) (dep-weight 4.0) (modifier-cond (and (bare-item) (capitalised) (sentence-start) (before-subordinator)))
        (modifiee-cond (get-modifier-by-type mod))))
  ;; (the verb of the main clause has its subject, an auxiliary or the base
  ;; form of a request: a past form without subject is rather a participle,
  ;; If you want perfectly executed dishes, you will love it)
  (* (C (dep-type mod) (max-dist 40) (head-reach 30) (dep-weight 3.0) (modifier-cond (and (full-clause) (not (fin-clause)) (not (that-clause))))
        (modifiee-cond (or (get-modifier-by-type s) (get-modifier-by-type expl) (get-modifier-by-type aux) (base-possible) (not (finite)))))
     (C (dep-type mod) (max-dist 14) (dep-weight 3.0) (modifier-cond (adverb-clause))))
  (* :skip-word (in (","))
     (Prep (dep-type mod) (max-dist 12) (dep-weight 2.0) (modifier-cond (and (no-cc) (with-object) (not (opening-phrase)) (clause-opening-place) (not (set-member-phrase)))) (modifiee-cond (not (gerund))))
     ;; (one that does not open a clause only at a high cost: right after
     ;; a verb, noun or adjective it rather belongs to that word, forced
     ;; under threats to withdraw)
     (Prep (dep-type mod) (max-dist 12) (dep-weight 40.0) (modifier-cond (and (no-cc) (with-object) (not (opening-phrase)) (not (clause-opening-place)))) (modifiee-cond (not (gerund))))
     (Prep (dep-type mod) (max-dist 40) (head-reach 30) (dep-weight 2.0) (modifier-cond (and (opening-phrase) (no-cc) (with-object))) (modifiee-cond (not (gerund))))
     (Adv (dep-type mod) (max-dist 8) (dep-weight 1.0) (modifier-cond (and (not (subordinating-adverb)) (not (enough)) (not (opening-well)) (not (opening-phrase)) (infinitive-adverb) (not (focus-before-phrase))))
          (merged-cond (not-before-subordinate-clause)))
     ;; An adverb or phrase opening the sentence before its comma reaches
     ;; the verb past a long subject or a fronted clause (However, if you use
     ;; it, that should be registered).
     (Adv (dep-type mod) (max-dist 40) (head-reach 30) (dep-weight 1.0) (modifier-cond (and (opening-phrase) (not (subordinating-adverb)) (not (enough)) (not (opening-well))))
          (merged-cond (not-before-subordinate-clause)))
     (Adv (dep-type disc) (max-dist 8) (dep-weight 1.0) (modifier-cond (opening-well)))
     (Adv (dep-type mod) (max-dist 8) (dep-weight 1.0) (modifier-cond (subordinating-adverb)) (merged-cond (subordinate-mark)))
     (Intj (dep-type disc) (max-dist 8) (dep-weight 1.0))
     (N (dep-type voc) (max-dist 12) (dep-weight 4.0) (modifier-cond (and (no-cc) (capitalised) (before-comma))))
     (N (dep-type mod) (max-dist 8) (dep-weight 3.0) (modifier-cond (and (no-cc) (no-punc) (time-noun))))
     (N (dep-type mod) (max-dist 8) (dep-weight 3.0) (modifier-cond (and (no-cc) (no-punc) (time-relative))))
     ;; A participle opening the sentence (Separated from the herd, the
     ;; calf cried); one elsewhere before the verb only as a last resort.
     ;; Tried before every verb in the first pass, that one made a twelfth
     ;; of the pass's merges with what they led to, and the trees chosen
     ;; with it were rarely right (held-out train).
     (V (dep-type mod) (max-dist 12) (dep-weight 8.0) (modifier-cond (and (participle) (no-cc) (not (get-modifier-by-type s)) (sentence-start) (set-off-gerund))))
     (V (dep-type mod) (max-dist 12) (dep-weight 8.0) (last-resort)
        (modifier-cond (and (participle) (no-cc) (not (get-modifier-by-type s)) (not (sentence-start))))))
  ;; (a finite clause whose verb may lose its object rather takes the word
  ;; at its head C, where it fills the gap)
  ;; ("that" right after a conjunction opens a conjoined clause, whose
  ;; complementiser it is: said it was good and that they would come)
  (? (N (dep-type obj) (max-dist 8) (dep-weight 2.0) (modifier-cond (and (wh-word) (bare-item) (not (that-after-conjunction)))))
     ;; and a noun phrase opened by "what", "which", "how many" (What foods
     ;; do you eat?, How much money do you need?)
     (N (dep-type obj) (max-dist 10) (dep-weight 2.0) (modifier-cond (and (no-cc) (no-punc) (wh-determined)))
        (modifiee-cond (get-modifier-by-type aux))))
  (? (VB (dep-type aux) (max-dist 6) (dep-weight 2.0) (modifier-cond (finite))
         (merged-cond (comp (pitem-attvec) (modify syn ((vform fin)))))))
  ;; The subject is also the empty subject of an infinitive the verb's
  ;; frame took (Ann wants to leave).
  (? (N (dep-type s) (max-dist 8) (check-slash ctl) (merged-cond (subject-before-its-verb)) (modifier-cond (and (no-cc) (subject-punctuation) (not-expletive) (not (genitive)) (not (accusative))))
        (modifiee-cond (and (not (controlled)) (or (finite) (not (get-modifier-by-type aux))))))
     (N (dep-type s) (max-dist 30) (check-slash ctl) (merged-cond (subject-before-its-verb)) (modifier-cond (and (no-cc) (subject-punctuation) (not-expletive) (not (genitive)) (not (accusative))))
        (modifiee-cond (and (controlled) (or (finite) (not (get-modifier-by-type aux))))))
     ;; In a question the subject stands between two auxiliaries (Will you
     ;; be going?, Should I be worried?).
     (N (dep-type s) (max-dist 8) (dep-weight 1.0) (check-slash ctl) (merged-cond (subject-before-its-verb))
        (modifier-cond (and (no-cc) (no-punc) (not-expletive) (not (genitive)) (not (accusative)) (after-auxiliary)))
        (modifiee-cond (get-modifier-by-type aux)))
     ;; A subject reaches past words set off by two commas before its verb
     ;; (These countries, with all their oil and resources, have ...).
     (N (dep-type s) (max-dist 20) (check-slash ctl) (merged-cond (subject-before-its-verb)) (modifier-cond (and (no-cc) (subject-punctuation) (not-expletive) (not (genitive)) (not (accusative))))
        (modifiee-cond (and (not (controlled)) (or (finite) (not (get-modifier-by-type aux))) (after-parenthetical))))
     ;; Any noun before it that nothing else takes, as a last resort (The
     ;; term "X" is located ..., Myself and Credit were calling in).
     (N (dep-type s) (max-dist 30) (dep-weight 60.0) (last-resort))
     (N (dep-type expl) (max-dist 3) (modifier-cond (expletive)))
     ;; A gerund clause as subject (Resolving this conflict would help).
     (V (dep-type s) (max-dist 8) (dep-weight 2.0) (modifier-cond (gerund-subject))
        (modifiee-cond (or (finite) (not (get-modifier-by-type aux)))))
     ;; A bare number opening the sentence, such as a year (2005 is going to
     ;; rock), and a number with the phrase of what it counts (two of them
     ;; were broken).
     (Num (dep-type s) (max-dist 8) (dep-weight 3.0) (modifier-cond (or (and (bare-item) (sentence-start)) (number-of-phrase)))
          (modifiee-cond (finite)))
     ;; A demonstrative read as determiner of a noun that is the verb
     ;; (These look fine).
     (Det (dep-type s) (max-dist 3) (dep-weight 3.0) (modifier-cond (and (bare-item) (demonstrative)))
          (modifiee-cond (finite))))
  ;; Words set off by two commas between the subject and the verb or its
  ;; auxiliary (The company, on the other hand, must pay): the subject
  ;; then reaches past them.
  (? :skip-word (in (","))
     (Adv (dep-type mod) (max-dist 8) (dep-weight 1.0) (modifier-cond (and (set-off-parenthetical) (not (subordinating-adverb)) (not (enough)))))
     (Prep (dep-type mod) (max-dist 10) (dep-weight 2.0) (modifier-cond (and (no-cc) (with-object) (set-off-parenthetical) (not (set-member-phrase))))))
  (* (VB (dep-type aux) (max-dist 4) (modifier-cond (finite)) (modifiee-cond (not (controlled)))
         (merged-cond (comp (pitem-attvec) (modify syn ((vform fin))))))
     (VB (dep-type aux) (max-dist 30) (modifier-cond (finite)) (modifiee-cond (controlled))
         (merged-cond (comp (pitem-attvec) (modify syn ((vform fin))))))
     ;; Infinitival "to" brings the infinitive's empty subject ("move"),
     ;; which now stands for this verb.
     (VB (dep-type aux) (max-dist 4) (modifier-cond (not (finite))) (percolate (move control))
         (merged-cond (and (set-trace-att-of-pred) (comp (pitem-attvec) (modify syn ((vform base)))))))
     (Adv (dep-type mod) (max-dist 3) (modifier-cond (and (not (enough)) (infinitive-adverb))) (modifiee-cond (not (controlled))))
     ;; "please" between "you" and the verb of a request (Can you please
     ;; send it?).
     (Intj (dep-type disc) (max-dist 1) (dep-weight 1.0) (modifier-cond (and (comp (pitem-head-word) (reg-match "^([Pp]lease|PLEASE|[Pp]ls|[Pp]lz)$"))
                                                                             (pitem-preceding-word (in ("you" "You" "YOU" "u"))))))
     (Adv (dep-type mod) (max-dist 30) (modifier-cond (and (not (enough)) (infinitive-adverb))) (modifiee-cond (controlled))))
  ;; A determiner nothing else takes, as a last resort (a must, the same).
  (? (Det (dep-type det) (max-dist 3) (dep-weight 60.0) (last-resort)))
  ;; A noun joined to a participle by a hyphen (Hezbollah-provoked
  ;; destruction, thought-provoking film), marked (rare) so that packing
  ;; keeps it apart from a subject.
  (? :skip-word (in ("-"))
     (N (dep-type nn) (max-dist 2) (modifier-cond (hyphen-part)) (modifiee-cond (participle))
        (merged-cond (comp (pitem-attvec) (modify syn ((rare +)))))))
  (:head)
  ;; The subject after a verb of saying that follows the clause it reports
  ;; ("We won," said Ann; ..., says a Western diplomat).
  (? (N (dep-type s) (max-dist 8) (dep-weight 0.5)
        (modifier-cond (and (no-cc) (no-punc) (not-expletive) (not (genitive)) (not (accusative)) (not (pronoun))
                            (comp (pitem-preceding-word) (reg-match "^(said|says|asked|asks|added|adds|wrote|writes|explained|explains|noted|notes|continued|continues|replied|replies|recalled|recalls|declared|insisted|warned|argued|argues|claimed|stated|concluded|reported|announced|admitted|observed|cautioned|read|reads|told)$"))))
        (modifiee-cond (and (finite) (not (get-modifier-by-type s)) (get-modifier-by-type comp) (inverting-reporting-verb)))))
  ;; A passive participle fronted before its auxiliary and subject
  ;; (Attached is the file, Enclosed are the forms).
  (? (VB (dep-type aux) (max-dist 30) (modifier-cond (and (finite) (comp (pitem-head-word) (in ("is" "are" "was" "were")))
                                                        (comp (pitem-preceding-word) (reg-match "^([Aa]ttached|[Ee]nclosed|[Ii]ncluded|[Ll]isted)$"))))
         (modifiee-cond (and (fronted-participle) (not (get-modifier-by-type s)) (not (get-modifier-by-type aux))))
         (merged-cond (comp (pitem-attvec) (modify syn ((vform fin)))))))
  (? (N (dep-type s) (max-dist 30) (modifier-cond (and (no-cc) (no-punc)))
        (modifiee-cond (and (fronted-participle) (get-modifier-by-type aux)))))
  (? (N (dep-type obj) (max-dist 20) (dep-weight 2.0) (modifier-cond (and (no-cc) (no-punc) (not (non-object-pronoun))))
        (modifiee-cond (and (not (get-modifier-by-type obj)) (not (took-verb-complement)) (not (and (fronted-participle) (get-modifier-by-type aux))) (not (and (inverted-report) (not (report-after-comma))))))
        (merged-cond (taken-object)))
     ;; and a sum of money (will receive $5000, paid $100 for it).
     (Num (dep-type obj) (max-dist 8) (dep-weight 2.0) (modifier-cond (or (comp (pitem-head-word) (reg-match "^[$£€][0-9].*")) (number-of-phrase)))
          (modifiee-cond (not (get-modifier-by-type obj)))
          (merged-cond (taken-object))))
  (* (Prep (dep-type mod) (max-dist 20) (dep-weight 1.0) (modifier-cond (and (no-cc) (not (set-member-phrase)))) (modifiee-cond (and (not (clause-adjunct-after)) (not (conjunct-after)))))
     ;; A noun nothing else takes, as a last resort: only in the second pass,
     ;; for sentences the first pass leaves in pieces. Tried after every verb
     ;; in the first pass it made about a fifth of the chart's merges (most
     ;; packed at once with the noun as object), and chosen trees took it
     ;; rarely and mostly wrongly (held-out train).
     (N (dep-type mod) (max-dist 12) (dep-weight 60.0) (last-resort))
     ;; A second object after a pronoun one (landed herself a job, faxed
     ;; you the file), where the verb's frames have none.
     (N (dep-type obj) (max-dist 20) (dep-weight 4.0) (modifier-cond (and (no-cc) (no-punc) (get-modifier-by-type det)))
        (modifiee-cond (comp (get-modifier-by-type obj) (pronoun))))
     ;; (an adverb that took a conjunction is rather a conjunct of the
     ;; adverb before it: slowly and deeply; nor does an adverb pass a
     ;; later verb conjunct or an adverbial clause that ends the verb's
     ;; phrase: ran outside and played happily together, the adverbs stay
     ;; with played and so does a phrase after them; train: 671 adverbs
     ;; there stay inside, 10 hang from the verb before)
     (Adv (dep-type mod) (max-dist 20) (dep-weight 1.0) (modifier-cond (and (no-cc) (not (clause-opening-wh-adverb)) (not (focus-before-phrase)) (not (clause-opening-connective)))) (modifiee-cond (and (not (took-complement)) (not (conjunct-after)) (not (clause-adjunct-after)))))
     (Adv (dep-type mod) (max-dist 20) (dep-weight 40.0) (modifier-cond (and (get-modifier-by-type cc) (not (or-not)))))
     (Adv (dep-type conj) (max-dist 8) (modifier-cond (or-not)))
     (N (dep-type mod) (max-dist 12) (dep-weight 3.0) (modifier-cond (and (no-cc) (no-punc) (time-noun))))
     (Intj (dep-type disc) (max-dist 10) (dep-weight 1.0))
     ;; An adjective as predicate after the verbs that take one (makes me
     ;; happy, feel good, keep it clean, seems fine).
     (A (dep-type pred) (max-dist 18) (dep-weight 3.0) (modifiee-cond (and (not (get-modifier-by-type pred)) (predicative-verb))))
     ;; (after any other verb only at a high cost)
     (A (dep-type pred) (max-dist 18) (dep-weight 100.0) (modifiee-cond (and (not (get-modifier-by-type pred)) (not (predicative-verb)))))
     (C (dep-type comp) (max-dist 22) (dep-weight 14.0) (modifier-cond (and (clause-complement) (not (wh-subject-clause)) (not (fin-clause))))
        (modifiee-cond (not (and (subordinate-opening) (sentence-start)))))
     ;; A clause without complementiser only after verbs of saying, thinking
     ;; and perceiving (I think it works); after others it is a relative
     ;; clause or a clause of its own (has the best sushi I've found).
     ;; (not a clause whose object is a fronted "that": only a noun takes
     ;; such a relative clause; after a verb "that" is its complementiser)
     (C (dep-type comp) (max-dist 22) (dep-weight 14.0) (modifier-cond (and (clause-complement) (not (wh-subject-clause)) (fin-clause) (not (that-object-clause))))
        (modifiee-cond (and (not (and (subordinate-opening) (sentence-start))) (bare-clause-verb))))
     ;; A clause opened by who or which after the verb's object is a
     ;; relative clause of a noun (knew someone who had one).
     (C (dep-type comp) (max-dist 22) (dep-weight 14.0) (modifier-cond (and (clause-complement) (wh-subject-clause)))
        (modifiee-cond (not (get-modifier-by-type obj))))
     ;; (a clause opened by "that" is a complement or relative clause: the
     ;; evidence that the group presented)
     (C (dep-type mod) (max-dist 22) (dep-weight 3.5) (modifier-cond (and (full-clause) (not (fin-clause)) (not (that-clause)))) (modifiee-cond (not (took-complement))))
     (C (dep-type mod) (max-dist 22) (dep-weight 3.5) (modifier-cond (adverb-clause)) (modifiee-cond (not (took-complement))))
     ;; A to-infinitive is a complement after want, try, need, decide and
     ;; their like (tried to call); after others it tells the purpose, an
     ;; adjunct (called to let me know, came in to get a gift).
     ;; After go, come, look, try and wait only right after the verb (going
     ;; to win); with words between it tells the purpose (went out tonight to
     ;; get one, looked everywhere to find it).
     (V (dep-type comp) (max-dist 22) (dep-weight 3.0) (modifier-cond (and (base-form) (no-cc) (get-modifier-by-type aux)))
        (modifiee-cond (and (infinitive-verb) (not (purpose-verb)))))
     (V (dep-type comp) (max-dist 22) (dep-weight 3.0) (modifier-cond (and (base-form) (no-cc) (get-modifier-by-type aux) (after-purpose-verb)))
        (modifiee-cond (purpose-verb)))
     (V (dep-type mod) (max-dist 22) (dep-weight 6.0) (modifier-cond (and (base-form) (no-cc) (get-modifier-by-type aux)))
        (modifiee-cond (not (infinitive-verb))))
     (V (dep-type mod) (max-dist 22) (dep-weight 6.0) (modifier-cond (and (base-form) (no-cc) (get-modifier-by-type aux) (not (after-purpose-verb))))
        (modifiee-cond (purpose-verb)))
     ;; A bare infinitive only after let, make, help and their like (let
     ;; me know, help you find it, go get it).
     (V (dep-type comp) (max-dist 22) (dep-weight 3.0) (modifier-cond (and (base-form) (no-cc) (not (get-modifier-by-type aux))))
        (modifiee-cond (comp (pitem-head-child) (pitem-head-word)
                             (reg-match "^([Ll]et|[Ll]ets|[Ll]etting|[Mm]ake|[Mm]akes|[Mm]ade|[Mm]aking|[Hh]elp|[Hh]elps|[Hh]elped|[Hh]elping|[Hh]ave|[Hh]as|[Hh]ad|[Hh]aving|[Gg]o|[Gg]oes|[Ww]ent|[Gg]oing|[Cc]ome|[Cc]omes|[Cc]ame|[Cc]oming|[Ss]ee|[Ss]ees|[Ss]aw|[Ss]een|[Ww]atch|[Ww]atches|[Ww]atched|[Hh]ear|[Hh]ears|[Hh]eard|[Ff]eel|[Ff]eels|[Ff]elt|[Rr]ecommend|[Rr]ecommends|[Rr]ecommended|[Ss]uggest|[Ss]uggests|[Ss]uggested|[Dd]emand|[Dd]emanded|[Bb]id|[Dd]are|[Nn]eed|[Nn]eeds|[Tt]ry|[Rr]ather|[Bb]etter|[Ss]ay|[Ss]ays|[Ss]aid|[Ww]an|[Nn]a|[Tt]a|[Ll]ook)( |$)"))))
     ;; An infinitival copula (seems to be fine, going to be late).
     (VBE (dep-type comp) (max-dist 22) (dep-weight 3.0) (modifier-cond (and (base-form) (no-cc) (get-modifier-by-type aux) (not (copula-running-on)))))
     ;; A gerund as complement after start, keep, stop, enjoy and their like
     ;; (kept asking); after others it is an adjunct (came running).
     (V (dep-type comp) (max-dist 18) (dep-weight 3.5) (modifier-cond (and (gerund) (no-cc) (not (get-modifier-by-type s))))
        (modifiee-cond (comp (pitem-head-child) (pitem-head-word)
                             (reg-match "^([Ss]tart|[Kk]eep|[Kk]ept|[Tt]ry|[Tt]ri|[Ss]top|[Ss]topp|[Ee]njoy|[Bb]egin|[Bb]egan|[Bb]egun|[Hh]ave|[Hh]as|[Hh]ad|[Ee]nd|[Rr]ecommend|[Gg]et|[Gg]ot|[Gg]otten|[Gg]o|[Ww]ent|[Gg]one|[Cc]ontinu|[Ff]ind|[Ff]ound|[Aa]void|[Cc]onsider|[Ff]eel|[Ff]elt|[Ll]ike|[Ll]ik|[Ss]uggest|[Pp]ropos|[Mm]ean|[Mm]eant|[Ww]ant|[Ll]ove|[Ll]ov|[Rr]isk|[Rr]emember|[Pp]ictur|[Ff]inish|[Ii]magin|[Ll]eave|[Ll]eft|[Bb]other|[Rr]esist|[Cc]ome|[Cc]ame|[Rr]ecall|[Ss]ee|[Ss]aw|[Ss]een|[Ss]pend|[Ss]pent|[Hh]ate|[Hh]at|[Qq]uit|[Mm]ind|[Mm]iss|[Pp]ractic|[Dd]eny|[Dd]eni|[Aa]dmit|[Pp]ostpon|[Dd]elay|[Kk]eep)(s|es|ed|d|ing|ies|ied|e|en|n|t)?( |$)"))))
     ;; A past participle after the object of have, get, keep, want and need
     ;; is the verb's complement (had it fixed, keep you posted, got it done).
     (V (dep-type comp) (max-dist 10) (dep-weight 0.1)
        (modifier-cond (and (comp (pitem-attvec) (strict-unifiable syn (vform) (attvec syn ((vform en))))) (no-cc) (no-punc) (not (get-modifier-by-type s)) (not (get-modifier-by-type obj))))
        (modifiee-cond (and (get-modifier-by-type obj) (not (get-modifier-by-type comp))
                            (comp (pitem-head-child) (pitem-head-word) (reg-match "^([Hh]ave|[Hh]as|[Hh]ad|[Hh]aving|[Gg]et|[Gg]ets|[Gg]ot|[Gg]otten|[Gg]etting|[Kk]eep|[Kk]eeps|[Kk]ept|[Kk]eeping|[Ww]ant|[Ww]ants|[Ww]anted|[Ww]anting|[Nn]eed|[Nn]eeds|[Nn]eeded|[Nn]eeding)( |$)")))))
     ;; A participle adjunct follows a comma (..., smiling) or is a gerund (came
     ;; running); else it is the main verb under "be" or "have" (have feared).
     ;; A past form with an object after the comma is a finite verb, no
     ;; participle adjunct (..., risked nothing, and ...; train: 24
     ;; conjuncts, no adverbial clause).
     (V (dep-type mod) (max-dist 22) (dep-weight 4.0) (modifier-cond (and (participle) (no-cc) (or (starts-with-punctuation) (gerund)) (not (get-modifier-by-type s)) (not (reporting-participle-with-object))
                                                                          (or (gerund) (not (get-modifier-by-type obj)))))
        (modifiee-cond (not (took-complement))))
     ;; (a verb that took a conjunction is a later conjunct and takes none;
     ;; the distance counts from the first verb's subject, so a long first
     ;; verb phrase still takes its conjunct; in its usual place it costs
     ;; 0.25, so that fewer such phrases are read as an infinitive or
     ;; participle after it (make copies and distribute them; held-out
     ;; train folds and dev gain a little), and elsewhere 3)
     (V (dep-type conj) (max-dist 20) (dep-weight 0.25) (modifier-cond (shared-subject-conjunct)) (modifiee-cond (no-cc)) (merged-cond (and (usual-verb-conjunct) (not (lone-comma-conjunct)))))
     (V (dep-type conj) (max-dist 20) (dep-weight 3.0) (modifier-cond (shared-subject-conjunct)) (modifiee-cond (no-cc)) (merged-cond (and (not (usual-verb-conjunct)) (not (comma-request-conjunct)) (not (fronted-clause-request)))))
     (VBE (dep-type conj) (max-dist 20) (dep-weight 1.5) (modifier-cond (shared-subject-conjunct)) (modifiee-cond (no-cc)) (merged-cond (not (lone-comma-conjunct)))))
  ;; A vocative closing the sentence (Thank you guys, Enjoy it my friend).
  (? (N (dep-type voc) (max-dist 4) (dep-weight 6.0) (modifier-cond (and (no-cc) (sentence-end) (vocative-noun)))
        (modifiee-cond (get-modifier-by-type obj))))
  ;; A loosely joined clause (after a comma, colon, dash, or none) hangs from
  ;; the verb of the clause before it, after all of that clause's words; a
  ;; participle or gerund heads no clause of its own that could take it.
  ;; (one without punctuation, a run-on, at a cost that leaves a relative
  ;; or object clause the better reading where there is one)
  (* (C (dep-type para) (max-dist 30) (modifier-cond (and (para-clause) (not (reporting-clause)) (not (report-to-listener)))) (modifiee-cond (and (finite) (not (subordinate-opening)) (not (fronted-subordinate)))))
     (C (dep-type para) (max-dist 30) (dep-weight 30.0) (modifier-cond (and (run-on-clause) (not (comp (pitem-attvec) (strict-unifiable syn (vform) (attvec syn ((vform en)))))))) (modifiee-cond (and (finite) (not (subordinate-opening)) (not (fronted-subordinate)))))
     ;; Any other finite clause beside it only as a last resort, when nothing
     ;; else covers the sentence.
     (C (dep-type para) (max-dist 30) (dep-weight 60.0) (modifier-cond (and (fin-clause) (full-clause) (not (para-clause)) (not (run-on-clause)))))
     ;; Any other clause after it that nothing else takes, as a last resort:
     ;; a conjunct when it took a conjunction, else a clause of its own.
     (C (dep-type conj) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (and (complete-clause) (get-modifier-by-type cc))) (modifiee-cond (finite)))
     (C (dep-type para) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (and (complete-clause) (no-cc))) (modifiee-cond (finite))))
  ;; As a last resort, an adverb after the clause, past a comma or dash, is
  ;; its adjunct (..., why; I'm 15 btw), and a phrase that took a conjunction
  ;; a conjunct (It was clean but just a little dumpy).
  (* :skip-word (in ("," "..." "-" "--" ":"))
     (Adv (dep-type mod) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (no-cc)))
     ;; (and marks nothing else takes: ... options: <>)
     (U (dep-type punc) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (comp (pitem-head-word) (reg-match "^[^A-Za-z0-9]+$"))))
     ;; (an adjective at twice the cost: a cover of the second pass rather
     ;; joins it to a conjoined adjective nearer in)
     (A (dep-type conj) (max-dist 60) (dep-weight 120.0) (last-resort) (modifier-cond (get-modifier-by-type cc)))
     (N (dep-type conj) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (get-modifier-by-type cc)))
     (Adv (dep-type conj) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (get-modifier-by-type cc)))
     (Prep (dep-type conj) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (get-modifier-by-type cc)))))

;; The copula heads its clause; "there" before it is the expletive and the
;; noun after it then the subject.
(def-modifiers VBE
  ;; A postscript mark opening the sentence (PS -- There is ..., PS. Love it!).
  (? (N (dep-type disc) (max-dist 4) (modifier-cond (and (sentence-start) (bare-item) (comp (pitem-head-word) (reg-match "^(PS|P\\.S\\.|PS\\.|Ps|ps)$"))))))
  (? (Punc (dep-type punc) (max-dist 10) (modifier-cond (comma))))
  ;; A conjunction nothing else takes, as a last resort (and | a must see).
  (? (Conn (dep-type cc) (max-dist 5) (dep-weight 60.0) (last-resort)))
  ;; (one inside the sentence reaches its verb past a long subject: ...
  ;; and the manager of the small restaurant on the corner never came; one
  ;; opening the sentence reaches it past a fronted clause too: But if you
  ;; want to go, you have to ...)
  (? (Conn (dep-type cc) (max-dist 15) (dep-weight 2.0) (modifier-cond (not (sentence-start))) (merged-cond (marked-conjunct)))
     (Conn (dep-type cc) (max-dist 30) (dep-weight 2.0) (modifier-cond (sentence-start)) (merged-cond (marked-conjunct)))
     (Adv (dep-type cc) (max-dist 10) (dep-weight 2.0) (modifier-cond (as-well-as)) (merged-cond (marked-conjunct))))
  ;; A fronted clause keeps its own closing comma (If you go, ...); an
  ;; adverb, interjection or name may stand before it (Maybe if you ask,
  ;; Phil if you could ...).
  ;; (its complementiser, the clause's head word, may lie up to 30 words
  ;; before the verb: a long if-clause)
  (* (Adv (dep-type mod) (max-dist 14) (dep-weight 2.0) (modifier-cond (and (bare-item) (clause-adverb)))
          (modifiee-cond (get-modifier-by-type mod)) (merged-cond (not-before-subordinate-clause)))
     (Intj (dep-type disc) (max-dist 14) (dep-weight 1.0) (modifiee-cond (get-modifier-by-type mod)))
     (N (dep-type voc) (max-dist 14) (dep-weight 4.0) (modifier-cond (and (bare-item) (capitalised) (sentence-start) (before-subordinator)))
        (modifiee-cond (get-modifier-by-type mod))))
  (* (C (dep-type mod) (max-dist 40) (head-reach 30) (dep-weight 6.0) (modifier-cond (and (full-clause) (not (fin-clause)) (not (that-clause)))))
     (C (dep-type mod) (max-dist 14) (dep-weight 3.0) (modifier-cond (adverb-clause))))
  (* :skip-word (in (","))
     (Prep (dep-type mod) (max-dist 12) (dep-weight 2.0) (modifier-cond (and (no-cc) (with-object) (not (opening-phrase)) (clause-opening-place))))
     ;; (one that does not open a clause only at a high cost: right after
     ;; a verb, noun or adjective it rather belongs to that word, forced
     ;; under threats to withdraw)
     (Prep (dep-type mod) (max-dist 12) (dep-weight 40.0) (modifier-cond (and (no-cc) (with-object) (not (opening-phrase)) (not (clause-opening-place)))))
     (Adv (dep-type mod) (max-dist 8) (modifier-cond (and (not (subordinating-adverb)) (not (opening-well)) (not (opening-phrase)) (infinitive-adverb)))
          (merged-cond (not-before-subordinate-clause)))
     ;; (one opening the sentence before its comma reaches further, as
     ;; before a verb)
     (Prep (dep-type mod) (max-dist 40) (head-reach 30) (dep-weight 2.0) (modifier-cond (and (opening-phrase) (no-cc) (with-object))))
     (Adv (dep-type mod) (max-dist 40) (head-reach 30) (modifier-cond (and (opening-phrase) (not (subordinating-adverb)) (not (opening-well))))
          (merged-cond (not-before-subordinate-clause)))
     (Adv (dep-type disc) (max-dist 8) (dep-weight 1.0) (modifier-cond (opening-well)))
     (Adv (dep-type mod) (max-dist 8) (modifier-cond (subordinating-adverb)) (merged-cond (subordinate-mark)))
     (Intj (dep-type disc) (max-dist 8) (dep-weight 1.0))
     (N (dep-type voc) (max-dist 12) (dep-weight 4.0) (modifier-cond (and (no-cc) (capitalised) (before-comma))))
     (N (dep-type mod) (max-dist 8) (dep-weight 3.0) (modifier-cond (and (no-cc) (no-punc) (time-noun))))
     (N (dep-type mod) (max-dist 8) (dep-weight 3.0) (modifier-cond (and (no-cc) (no-punc) (time-relative))))
     ;; A participle adjunct before the copula opens the sentence (Coming
     ;; from a hater of dentists, he was the best); elsewhere it costs much
     ;; more: a past form after a relative word is the relative clause's
     ;; verb (The war that ruined the city is over), and an -ing form or
     ;; participle inside a fronted clause belongs to that clause (If you
     ;; love seeing shows, the ship was better). On the held-out train
     ;; folds 3 of the 16 such adjuncts we built were right, all 3 opening
     ;; the sentence.
     (V (dep-type mod) (max-dist 12) (dep-weight 4.0) (modifier-cond (and (participle) (no-cc) (not (get-modifier-by-type s)) (not (and (bare-item) (fronted-participle))) (sentence-start) (set-off-gerund))))
     (V (dep-type mod) (max-dist 12) (dep-weight 60.0)
        (modifier-cond (and (participle) (no-cc) (not (get-modifier-by-type s)) (not (and (bare-item) (fronted-participle))) (not (sentence-start))))))
  (? (VB (dep-type aux) (max-dist 6) (dep-weight 2.0) (modifier-cond (finite))
         (merged-cond (comp (pitem-attvec) (modify syn ((vform fin)))))))
  ;; "Here" or "there" before a pronoun subject and a copula that closes
  ;; the clause is the predicate (Here it is., There you are!).
  (? (Adv (dep-type pred) (max-dist 3) (modifier-cond (and (bare-item) (comp (pitem-head-word) (reg-match "^([Hh]ere|[Tt]here)$"))))
          (modifiee-cond (and (comp (get-modifier-by-type s) (personal-pronoun)) (head-last) (or (before-punctuation) (sentence-end))))))
  (? (N (dep-type s) (max-dist 8) (merged-cond (subject-before-its-verb)) (modifier-cond (and (no-cc) (subject-punctuation) (not-expletive) (not (genitive)) (not (accusative))))
        (modifiee-cond (or (finite) (not (get-modifier-by-type aux)))))
     ;; In a question the subject stands between two auxiliaries (Will you
     ;; be going?, Should I be worried?).
     (N (dep-type s) (max-dist 8) (dep-weight 1.0) (merged-cond (subject-before-its-verb))
        (modifier-cond (and (no-cc) (no-punc) (not-expletive) (not (genitive)) (not (accusative)) (after-auxiliary)))
        (modifiee-cond (get-modifier-by-type aux)))
     ;; (and past words set off by two commas, as for V)
     (N (dep-type s) (max-dist 20) (merged-cond (subject-before-its-verb)) (modifier-cond (and (no-cc) (subject-punctuation) (not-expletive) (not (genitive)) (not (accusative))))
        (modifiee-cond (and (or (finite) (not (get-modifier-by-type aux))) (after-parenthetical))))
     ;; Any noun before it that nothing else takes, as a last resort (The
     ;; term "X" is located ..., Myself and Credit were calling in).
     (N (dep-type s) (max-dist 30) (dep-weight 60.0) (last-resort))
     (N (dep-type expl) (max-dist 3) (modifier-cond (expletive)))
     ;; A gerund clause as subject (Resolving this conflict would help).
     (V (dep-type s) (max-dist 8) (dep-weight 2.0) (modifier-cond (gerund-subject))
        (modifiee-cond (or (finite) (not (get-modifier-by-type aux)))))
     ;; A bare number opening the sentence, such as a year (2005 is going to
     ;; rock), and a number with the phrase of what it counts (two of them
     ;; were broken).
     (Num (dep-type s) (max-dist 8) (dep-weight 3.0) (modifier-cond (or (and (bare-item) (sentence-start)) (number-of-phrase)))
          (modifiee-cond (finite)))
     ;; "Here" before the copula is its predicate; the subject follows (Here
     ;; is the file). Marked (rare) to pack apart from "here" as adjunct,
     ;; which leaves room for a subject before it (Every thing here is good).
     (Adv (dep-type pred) (max-dist 2) (modifier-cond (comp (pitem-head-word) (reg-match "[Hh]ere$")))
          (merged-cond (comp (pitem-attvec) (modify syn ((rare +))))))
     ;; A question word before the copula is its predicate and the noun
     ;; after it the subject (What is the dress code?, How are you?).
     ;; Marked (rare) to pack apart from the same words as subject or adjunct.
     (N (dep-type pred) (max-dist 2) (modifier-cond (and (bare-item) (question-predicate)))
        (merged-cond (comp (pitem-attvec) (modify syn ((rare +))))))
     (Adv (dep-type pred) (max-dist 2) (modifier-cond (question-predicate))
          (merged-cond (comp (pitem-attvec) (modify syn ((rare +)))))))
  ;; As for V: words set off by two commas between subject and verb.
  (? :skip-word (in (","))
     (Adv (dep-type mod) (max-dist 8) (dep-weight 1.0) (modifier-cond (and (set-off-parenthetical) (not (subordinating-adverb)) (not (enough)))))
     (Prep (dep-type mod) (max-dist 10) (dep-weight 2.0) (modifier-cond (and (no-cc) (with-object) (set-off-parenthetical)))))
  (* (VB (dep-type aux) (max-dist 4) (modifier-cond (finite))
         (merged-cond (comp (pitem-attvec) (modify syn ((vform fin))))))
     ;; As for V: "to" brings the infinitive's empty subject.
     (VB (dep-type aux) (max-dist 4) (modifier-cond (not (finite))) (percolate (move control))
         (merged-cond (and (set-trace-att-of-pred) (comp (pitem-attvec) (modify syn ((vform base)))))))
     (Adv (dep-type mod) (max-dist 3) (modifier-cond (infinitive-adverb))))
  ;; A determiner nothing else takes, as a last resort (a must, the same).
  (? (Det (dep-type det) (max-dist 3) (dep-weight 60.0) (last-resort)))
  (:head)
  ;; A question puts the subject after the copula (is it still available?).
  (? (N (dep-type s) (max-dist 4) (dep-weight 3.0)
        (modifier-cond (and (no-cc) (no-punc) (not-expletive) (not (genitive)) (not (accusative))))
        (modifiee-cond (and (head-first) (not (get-modifier-by-type s)) (not (get-modifier-by-type expl))))
        ;; Marked (rare), so that packing keeps it apart from "is it" with
        ;; "it" as predicate.
        (merged-cond (comp (pitem-attvec) (modify syn ((rare +))))))
     ;; and the expletive too (Is there any left?, are there any sadists out there?).
     (N (dep-type expl) (max-dist 2) (modifier-cond (expletive))
        (modifiee-cond (and (head-first) (not (get-modifier-by-type s)) (not (get-modifier-by-type expl))))
        (merged-cond (comp (pitem-attvec) (modify syn ((rare +)))))))
  (? (N (dep-type pred) (max-dist 20) (modifier-cond (and (no-cc) (no-punc)))
        (modifiee-cond (and (not (get-modifier-by-type expl)) (not (get-modifier-by-type pred)) (not (question-opening)))))
     (N (dep-type s) (max-dist 14) (modifier-cond (no-cc)) (modifiee-cond (or (get-modifier-by-type expl) (get-modifier-by-type pred))))
     ;; (none after a predicate that stands before the copula: How is that possible?)
     ;; (nor with the expletive, here and for the Prep and Num predicates
     ;; below: "be" heads its clause, and a phrase after the subject is no
     ;; predicate; train has 348 "there" on "be" as head and one on a
     ;; predicate: There is a book on the table)
     (A (dep-type pred) (max-dist 20) (modifiee-cond (and (not (get-modifier-by-type pred)) (not (get-modifier-by-type expl)))))
     ;; An adverb of place or state after a copula with its subject (the
     ;; sound is still there, I'll be back in the office, it was over).
     (Adv (dep-type pred) (max-dist 20) (modifier-cond (place-predicate))
          (modifiee-cond (and (get-modifier-by-type s) (not (get-modifier-by-type pred)))))
     ;; A question adverb after a copula with its subject is its predicate
     ;; (That's why I called, This is where it happened); the clause after
     ;; it then joins the copula.
     (Adv (dep-type pred) (max-dist 20) (modifier-cond (and (bare-item) (wh-predicate)))
          (modifiee-cond (and (get-modifier-by-type s) (not (get-modifier-by-type pred)))))
     (Prep (dep-type pred) (max-dist 20) (modifier-cond (no-cc)) (modifiee-cond (and (not (get-modifier-by-type pred)) (not (get-modifier-by-type expl)))))
     (Num (dep-type pred) (max-dist 20) (modifiee-cond (and (not (get-modifier-by-type pred)) (not (get-modifier-by-type expl)))))
     ;; A clause as predicate (The problem is that ..., All you do is wait,
     ;; The aim is to win).
     (C (dep-type pred) (max-dist 30) (dep-weight 2.0) (modifier-cond (and (clause-complement) (not (fin-clause)))))
     (V (dep-type pred) (max-dist 30) (dep-weight 2.0) (modifier-cond (and (base-form) (no-cc)))
        (modifiee-cond (not (get-modifier-by-type expl)))))
  (* (Prep (dep-type mod) (max-dist 20) (dep-weight 3.0) (modifier-cond (no-cc)))
     ;; A noun nothing else takes, as a last resort.
     (N (dep-type mod) (max-dist 12) (dep-weight 60.0) (last-resort))
     (Adv (dep-type mod) (max-dist 20) (modifier-cond (and (not (clause-opening-wh-adverb)) (not (or-not)) (not (clause-opening-connective)))) (modifiee-cond (not (predicate-took-complement))))
     (Adv (dep-type conj) (max-dist 8) (modifier-cond (or-not)))
     ;; (not one with the indefinite article, which is the predicate: was
     ;; a tough time, is a big day; train: 18 such nouns after a copula are
     ;; its predicate, 1 a phrase of time)
     (N (dep-type mod) (max-dist 12) (dep-weight 3.0) (modifier-cond (and (no-cc) (no-punc) (time-noun) (not (indefinite-article)))))
     (Intj (dep-type disc) (max-dist 10) (dep-weight 1.0))
     (C (dep-type mod) (max-dist 22) (dep-weight 3.0) (modifier-cond (and (full-clause) (not (fin-clause)) (not (content-clause)))) (modifiee-cond (not (predicate-took-complement))))
     (C (dep-type mod) (max-dist 22) (dep-weight 3.0) (modifier-cond (adverb-clause)) (modifiee-cond (not (predicate-took-complement))))
     (VBE (dep-type comp) (max-dist 22) (dep-weight 3.0) (modifier-cond (and (base-form) (no-cc) (get-modifier-by-type aux) (not (copula-running-on)))))
     (V (dep-type mod) (max-dist 22) (dep-weight 4.0) (modifier-cond (and (participle) (no-cc) (starts-with-punctuation) (not (get-modifier-by-type s)) (not (reporting-participle-with-object))
                                                                          (or (gerund) (not (get-modifier-by-type obj))))))
     ;; (a verb that took a conjunction is a later conjunct and takes none;
     ;; the distance counts from the first verb's subject, so a long first
     ;; verb phrase still takes its conjunct; one elsewhere than its usual
     ;; place, such as past a complement of the copula, costs 9, which
     ;; held-out train sentences prefer to three times the usual one; the
     ;; usual one costs 0.75, half its old cost, for the same reason as
     ;; after a verb)
     (VBE (dep-type conj) (max-dist 20) (dep-weight 1.0) (modifier-cond (shared-subject-conjunct)) (modifiee-cond (no-cc)) (merged-cond (not (lone-comma-conjunct))))
     (V (dep-type conj) (max-dist 20) (dep-weight 0.75) (modifier-cond (shared-subject-conjunct)) (modifiee-cond (no-cc)) (merged-cond (and (usual-verb-conjunct) (not (lone-comma-conjunct)))))
     (V (dep-type conj) (max-dist 20) (dep-weight 9.0) (modifier-cond (shared-subject-conjunct)) (modifiee-cond (no-cc)) (merged-cond (and (not (usual-verb-conjunct)) (not (comma-request-conjunct)) (not (fronted-clause-request))))))
  (* (C (dep-type para) (max-dist 30) (modifier-cond (and (para-clause) (not (reporting-clause)) (not (report-to-listener)))) (modifiee-cond (and (finite) (not (subordinate-opening)) (not (fronted-subordinate)))))
     ;; (a run-on after a copula's clause at twice the verb's cost: on
     ;; held-out train sentences the costlier run-on is right more often)
     (C (dep-type para) (max-dist 30) (dep-weight 60.0) (modifier-cond (and (run-on-clause) (not (comp (pitem-attvec) (strict-unifiable syn (vform) (attvec syn ((vform en)))))))) (modifiee-cond (and (finite) (not (subordinate-opening)) (not (fronted-subordinate)))))
     ;; Any other finite clause beside it only as a last resort, when nothing
     ;; else covers the sentence.
     (C (dep-type para) (max-dist 30) (dep-weight 60.0) (modifier-cond (and (fin-clause) (full-clause) (not (para-clause)) (not (run-on-clause)))))
     ;; Any other clause after it that nothing else takes, as a last resort:
     ;; a conjunct when it took a conjunction, else a clause of its own.
     (C (dep-type conj) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (and (complete-clause) (get-modifier-by-type cc))) (modifiee-cond (finite)))
     ;; (a clause of its own at twice the cost: on held-out train sentences
     ;; that need the second pass, covers that join it otherwise are right
     ;; more often)
     (C (dep-type para) (max-dist 60) (dep-weight 120.0) (last-resort) (modifier-cond (and (complete-clause) (no-cc))) (modifiee-cond (finite))))
  ;; As a last resort, an adverb after the clause, past a comma or dash, is
  ;; its adjunct (..., why; I'm 15 btw), and a phrase that took a conjunction
  ;; a conjunct (It was clean but just a little dumpy).
  (* :skip-word (in ("," "..." "-" "--" ":"))
     (Adv (dep-type mod) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (no-cc)))
     ;; (and marks nothing else takes: ... options: <>)
     (U (dep-type punc) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (comp (pitem-head-word) (reg-match "^[^A-Za-z0-9]+$"))))
     (A (dep-type conj) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (get-modifier-by-type cc)))
     (N (dep-type conj) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (get-modifier-by-type cc)))
     (Adv (dep-type conj) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (get-modifier-by-type cc)))
     (Prep (dep-type conj) (max-dist 60) (dep-weight 60.0) (last-resort) (modifier-cond (get-modifier-by-type cc)))))

;; Verb frames from the lexicon's "args" (V_N, V_C, ...): the arguments are
;; preferred attachments, never required, since the lexicon lists only the
;; frames it saw; the general verb positions take what the frames miss.
(def-category V (visible-atts (cat vform lexitem last_conj move control gap cm)))
;; An infinitive of the V_V frame leaves its empty subject ("move") to the
;; verb, whose subject fills it (Ann wants to leave: Ann is the subject of
;; leave too); a frame with an object keeps "gap", the verb's leave to lose
;; its object to a fronted word. A frame takes V's visible attributes when it is made,
;; and its link to V passes them on: "move", "control" and "gap" are visible
;; for that moment only, so that other verb items still pack without them.
(def-subcat V_N V (:head) (? (N (dep-type obj) (max-dist 8) (dep-weight 0.5) (modifier-cond (and (no-cc) (no-punc) (not (non-object-pronoun)))) (merged-cond (taken-object)))))
(def-subcat V_C V (:head) (? (C (dep-type comp) (max-dist 12) (dep-weight 0.5) (modifier-cond (clause-complement))
                                 (modifiee-cond (not (and (subordinate-opening) (sentence-start)))))))
(def-subcat V_V V (:head) (? (V (dep-type comp) (max-dist 12) (dep-weight 0.5) (percolate (move control)) (modifier-cond (base-form)))
                              (VBE (dep-type comp) (max-dist 12) (dep-weight 0.5) (percolate (move control))
                                   (modifier-cond (and (base-form) (get-modifier-by-type aux) (not (copula-running-on)))))))
(def-subcat V_A V (:head) (? (A (dep-type pred) (max-dist 6) (dep-weight 0.5))))
(def-subcat V_N_N V (:head) (? (N (dep-type obj2) (max-dist 6) (dep-weight 0.5) (modifier-cond (and (no-cc) (no-punc) (not (non-object-pronoun))))))
  (? (N (dep-type obj) (max-dist 8) (dep-weight 0.5) (modifier-cond (and (no-cc) (no-punc) (not (non-object-pronoun)))) (merged-cond (taken-object)))))
(def-subcat V_N_V V (:head) (? (N (dep-type obj) (max-dist 8) (dep-weight 0.5) (modifier-cond (and (no-cc) (no-punc) (not (non-object-pronoun)))) (merged-cond (taken-object))))
  (? (V (dep-type comp) (max-dist 12) (dep-weight 0.5) (modifier-cond (base-form)))
     (VBE (dep-type comp) (max-dist 12) (dep-weight 0.5) (modifier-cond (and (base-form) (get-modifier-by-type aux) (not (copula-running-on)))))))
(def-subcat V_N_C V (:head) (? (N (dep-type obj) (max-dist 8) (dep-weight 0.5) (modifier-cond (and (no-cc) (no-punc) (not (non-object-pronoun)))) (merged-cond (taken-object))))
  (? (C (dep-type comp) (max-dist 12) (dep-weight 0.5) (modifier-cond (clause-complement)))))
(def-subcat V_N_A V (:head) (? (N (dep-type obj) (max-dist 8) (dep-weight 0.5) (modifier-cond (and (no-cc) (no-punc) (not (non-object-pronoun)))) (merged-cond (taken-object))))
  (? (A (dep-type pred) (max-dist 6) (dep-weight 0.5))))
(def-category V (visible-atts (cat vform lexitem last_conj rare cm)))

;; Clauses: a complementiser heads its verb; without one, the empty "fin".
;; The clause head turns its verb's missing object (a verb with "gap")
;; into a moved element with a trace to the verb, and a question or relative word before
;; the clause fills it (the book that I read: the empty object of read
;; stands for that).
;; A finite clause whose verb has no subject of its own.
(defun subjectless-clause () (and (fin-clause) (not (get-modifier-by-type s)) (not (get-modifier-by-type expl))))

;; A clause opened by a relative word (that would reduce the violence,
;; which had to be ordered, when they came): a relative or adverbial
;; clause, which rarely coordinates with a clause after it that has a
;; subject of its own (of 1,475 such conjuncts in the train split, 16
;; hang from a relative clause and 15 from an adverbial one).
(defun relative-word-clause () (and (fin-clause) (relative-word)))
;; Subordinators whose clause may be reduced to a predicate (if possible,
;; although small), and such a predicate: punctuation or the end follows it.
;; The comma before the subordinator may have joined it already (makes it
;; hard, if not dangerous, on ...).
(defun elliptic-subordinator () (comp (pitem-head-word) (reg-match "^(, )?([Ii]f|[Uu]nless|[Ww]hen|[Ww]henever|[Tt]hough|[Aa]lthough|[Ww]hile|[Oo]nce)$")))
(defun closing-predicate () (and (no-cc) (or (before-punctuation) (sentence-end))))

(def-modifiers C
  ;; As a last resort, a clause takes before it (or before its comma) an
  ;; interjection, adverb or prepositional phrase that nothing else takes
  ;; (Obviously because I want to vote; In a few words, I'm surprised).
  (? :skip-word (in ("," "..." "-" "--"))
     (Intj (dep-type disc) (max-dist 60) (dep-weight 60.0) (last-resort))
     ;; (the adverb at twice the cost: on held-out train sentences that need
     ;; the second pass, covers that attach it elsewhere are right more often)
     (Adv (dep-type mod) (max-dist 60) (dep-weight 120.0) (last-resort))
     (Prep (dep-type mod) (max-dist 60) (dep-weight 120.0) (last-resort) (modifier-cond (with-object)))
     ;; (a bare word in small letters opening the sentence is a discourse
     ;; word: whatever, ya)
     (N (dep-type disc) (max-dist 60) (dep-weight 60.0) (last-resort)
        (modifier-cond (and (bare-item) (sentence-start) (comp (pitem-head-word) (reg-match "^[a-z]+$"))))))
  ;; A noun before a finite clause without subject that nothing else takes
  ;; is its subject, as a last resort (The test, along with a form, is
  ;; available); not a label before a colon, whatever it took after the
  ;; colon (HARRIS: The man, Tom Reed, had gotten rich).
  (? (N (dep-type s) (max-dist 80) (dep-weight 60.0) (last-resort)
        (modifier-cond (and (no-cc) (not (pitem-following-word (in (":")))) (not (comp (pitem-head-child) (pitem-following-word) (in (":"))))))
        (modifiee-cond (and (fin-clause) (not (get-modifier-by-type s))))))
  (? (Punc (dep-type punc) (max-dist 1) (modifier-cond (or (comma) (opening-bracket)))))
  ;; A focusing adverb before the complementiser (just because, only if,
  ;; even though), with the comma that may have joined it (stay, even if).
  (? (Adv (dep-type mod) (max-dist 2) (dep-weight 3.0)
          (modifier-cond (and (head-last) (comp (pitem-head-word) (reg-match "^(, )?([Jj]ust|[Oo]nly|[Ee]ven|[Ee]specially|[Pp]artly|[Mm]ainly|[Ss]imply)$"))))
          (modifiee-cond (not (fin-clause)))))
  ;; A conjunction nothing else takes, as a last resort (and | a must see).
  (? (Conn (dep-type cc) (max-dist 5) (dep-weight 60.0) (last-resort)))
  ;; (a clause opened by if, when, because and their like that stands before
  ;; the main clause leaves the conjunction to it: and if you can, please
  ;; call)
  (? (Conn (dep-type cc) (max-dist 2) (dep-weight 0.5) (merged-cond (marked-conjunct))
           (modifiee-cond (or (content-clause) (comp (pitem-attvec) (defined syn (trace)))))))
  (? (N (dep-type obj) (max-dist 40) (dep-weight 1.5) (check-slash wh)
        (modifier-cond (and (comp (pitem-attvec) (defined syn (check))) (wh-word) (bare-item)))
        (modifiee-cond (and (fin-clause) (comp (pitem-attvec) (defined syn (move)))))))
  (:head (V (dep-type i) (modifier-cond (finite))
            (percolate (cat vform last_conj gap cm))
            (head-cond (and (comp (pitem-attvec) (unify syn ((cform "fin")))) (open-gap) (not (whole-sentence-subordinate)))))
         (VBE (dep-type i) (modifier-cond (and (finite) (not (copula-running-on))))
            (block (lexitem))
            (head-cond (and (comp (pitem-attvec) (unify syn ((cform "fin")))) (not (whole-sentence-subordinate))))))
  ;; "that" before a clause whose verb misses its object is the relative
  ;; word filling that gap, not a complementiser (the evidence that the
  ;; group presented), a complementiser there only at a cost.
  (? (V (dep-type i) (max-dist 12) (modifiee-cond (lexical-item))
        (modifier-cond (not (and (comp (pitem-attvec) (defined syn (gap))) (comp (pitem-preceding-word) (in ("that" "That")))))))
     (V (dep-type i) (max-dist 12) (dep-weight 6.0) (modifiee-cond (lexical-item))
        (modifier-cond (and (comp (pitem-attvec) (defined syn (gap))) (comp (pitem-preceding-word) (in ("that" "That"))))))
     (VBE (dep-type i) (max-dist 12) (modifiee-cond (lexical-item)) (modifier-cond (not (copula-running-on))))
     ;; A clause reduced to its predicate after if, unless, when, though
     ;; and their like, closed by punctuation (Call me if possible; If so,
     ;; I will; Although small, the room was clean): the adjective, or so,
     ;; not, yes, no, heads it.
     (A (dep-type i) (max-dist 3) (modifiee-cond (elliptic-subordinator)) (modifier-cond (closing-predicate)))
     (Adv (dep-type i) (max-dist 1) (modifiee-cond (elliptic-subordinator))
          (modifier-cond (and (closing-predicate) (comp (pitem-head-word) (reg-match "^([Ss]o|[Nn]ot)$")))))
     (Intj (dep-type i) (max-dist 1) (modifiee-cond (elliptic-subordinator))
           (modifier-cond (and (closing-predicate) (comp (pitem-head-word) (reg-match "^([Yy]es|[Nn]o)$"))))))
  ;; A conjoined clause without subject (an imperative) follows only a
  ;; clause without one (Call Vernon and get the details); after a clause
  ;; with a subject it is a verb phrase sharing that subject (makes me want
  ;; to rush out and rescue people; Should we meet and make a plan), a
  ;; conjoined clause only at ten times the cost (held-out train sentences
  ;; prefer it to five times). A clause opened by a subordinator (if,
  ;; because, when) that opens the sentence takes none: an imperative is
  ;; no part of such a clause, it is the main clause after it (If you
  ;; would like to come in person or by phone, please let me know).
  ;; A clause opened by "that" or "whether" joins no clause whose verb took
  ;; a complement: it joins that complement (said the plan was good and
  ;; that it would start soon; train: 32 such conjuncts of a complement
  ;; clause, 3 of a main one).
  (* (C (dep-type conj) (max-dist 30) (modifier-cond (and (get-modifier-by-type cc) (complete-clause) (not (subjectless-clause)))) (modifiee-cond (not (relative-word-clause)))
        (merged-cond (not (and (comp (pitem-modifier) (content-clause)) (comp (pitem-modifiee) (took-complement))))))
     (C (dep-type conj) (max-dist 30) (modifier-cond (and (get-modifier-by-type cc) (subjectless-clause)))
        (modifiee-cond (subjectless-clause)))
     (C (dep-type conj) (max-dist 30) (dep-weight 10.0) (modifier-cond (and (get-modifier-by-type cc) (subjectless-clause)))
        (modifiee-cond (and (not (subjectless-clause)) (not (and (sentence-start) (not (fin-clause))))))))
  ;; The comma closing a fronted adverbial clause (If you go, ...).
  (? (Punc (dep-type punc) (max-dist 40) (dep-weight 2.0) (modifier-cond (comma))
           (modifiee-cond (or (and (not (fin-clause)) (get-modifier-by-type i)) (adverb-clause)
                              ;; and the comma closing a relative clause that
                              ;; opened with one (Nina, who was there, said ...)
                              (and (starts-with-punctuation) (relative-word))))))
  ;; A clause that opened a bracket closes it.
  (? (Punc (dep-type punc) (max-dist 40) (modifier-cond (closing-bracket)) (modifiee-cond (bracketed)))))

;; Root costs: en/stats/roots.txt (-ln share of sentences) times 1.5, the factor
;; chosen on held-out train sentences (tools/tune-english.py). A clause
;; with a complementiser costs 3, not 6: a search of the clause weights on
;; both held-out folds preferred it (So that comment is completely false:
;; "comment" is no longer read as a verb to make a clause without one).
(roots (C (fin-clause) (int 0)) (C (complete-clause) (int 3)) (N (t) (int 3)) (Num (t) (int 6)) (A (t) (int 6)) (V (t) (int 8)) (U (t) (int 8))
       (Intj (t) (int 8)) (Adv (t) (int 8)) (Prep (t) (int 8)) (Det (t) (int 11)) (VBE (t) (int 14))
       (Conn (t) (int 14)) (VB (t) (int 14)) (Part (t) (int 14)))
