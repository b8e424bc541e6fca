;; The attribute vector type "syn" of the English data: the attributes the
;; parser reads by name, then the English features of the lexicon and the
;; grammar. Aliases keep printed vectors short.

(def-att-list syn
  ;; Category and the parser's own vocabulary.
  (defattribute cat EnumAtt (allowable-values n v p j i d c a))
  (defattribute node EnumAtt
    (allowable-values N Num V VBE VB A Adv Prep Det C Conn Part Intj Punc U))
  (defattribute args ListAtt)
  (defattribute opt BinAtt)
  (defattribute head_final BinAtt)
  (defattribute cform StrAtt)
  (defattribute pform StrAtt)
  (defattribute role EnumAtt
    (allowable-values i s expl subj obj obj2 pred comp aux det gen poss nn num mod pcomp rel appo
                      conj cc prt lex-mod lex-dep punc para list voc disc guest dep))
  (defattribute slash DisjAtt (allowable-values wh rel ctl))
  (defattribute check DisjAtt (allowable-values wh rel ctl))
  (defattribute move StackAtt)
  ;; A verb whose object a fronted question or relative word may stand for:
  ;; the clause head then makes the gap a moved element.
  (defattribute gap BinAtt)
  (defattribute trace TraceAtt)
  (defattribute control BinAtt)
  (defattribute govern BinAtt)
  (defattribute guest BinAtt)
  (defattribute last_conj BinAtt)
  (defattribute rare BinAtt)
  (defattribute ref BinAtt)
  (defattribute cm BinAtt)
  (defattribute lexitem EntAtt)
  ;; English features.
  (defattribute num DisjAtt (allowable-values sg pl))
  (defattribute person DisjAtt (allowable-values 1 2 3))
  (defattribute case DisjAtt (allowable-values nom acc gen))
  (defattribute proper BinAtt)
  (defattribute pron BinAtt)
  (defattribute vform DisjAtt (allowable-values fin base ing en))
  (defattribute tense DisjAtt (allowable-values pres past))
  (defattribute degree DisjAtt (allowable-values pos cmp sup))
  ;; The root of a form the lexicon lists on its own (went: go).
  (defattribute lemma StrAtt)
  )

(init-attributes)

(alias sg3 (make-av syn ((num sg) (person 3))))
(alias pl3 (make-av syn ((num pl) (person 3))))
(alias finpres (make-av syn ((vform fin) (tense pres))))
(alias finpast (make-av syn ((vform fin) (tense past))))
(alias prep (make-av syn ((cat p) (node Prep))))
(alias adv (make-av syn ((cat a) (node Adv))))
(alias aux (make-av syn ((cat v) (node VB))))
(alias cop (make-av syn ((cat v) (node VBE))))
