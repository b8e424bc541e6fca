;; Contextual lexical rules: a reading that the neighbouring words rule out
;; is deleted, when the word keeps another. They decide auxiliary against
;; copula or main verb, infinitival "to" against the preposition, expletive
;; against adverbial "there", determiner against pronoun, and a few more.
;; tools/lexgen/context.py measures the same rules on the treebank.

;; Readings, on a lexical item.
(defun verb-item () (comp (att) (contain syn (cat) (attvec syn ((cat v))))))
(defun lexical-verb-item ()
  (comp (att) (and (contain syn (cat) (attvec syn ((cat v)))) (not (defined syn (node))))))
(defun base-verb-item ()
  (comp (att) (and (contain syn (cat) (attvec syn ((cat v)))) (strict-unifiable syn (vform) (attvec syn ((vform base)))))))
(defun participle-item ()
  (comp (att) (and (contain syn (cat) (attvec syn ((cat v)))) (strict-unifiable syn (vform) (attvec syn ((vform ing en)))))))
(defun past-participle-item ()
  (comp (att) (and (contain syn (cat) (attvec syn ((cat v)))) (strict-unifiable syn (vform) (attvec syn ((vform en)))))))
(defun aux-item () (comp (att) (contain syn (node) (attvec syn ((node VB))))))
(defun cop-item () (comp (att) (contain syn (node) (attvec syn ((node VBE))))))
(defun adverb-item () (comp (att) (contain syn (node) (attvec syn ((node Adv))))))
(defun part-item () (comp (att) (contain syn (node) (attvec syn ((node Part))))))
(defun punctuation-item () (comp (att) (contain syn (node) (attvec syn ((node Punc))))))
(defun num-item () (comp (att) (contain syn (node) (attvec syn ((node Num))))))
(defun pronoun-item () (comp (att) (contain syn (pron) (+pron))))
(defun noun-item ()
  (comp (att) (and (contain syn (cat) (attvec syn ((cat n)))) (not (defined syn (node))) (not (contain syn (pron) (+pron))))))
(defun adjective-item () (comp (att) (and (contain syn (cat) (attvec syn ((cat a)))) (not (defined syn (node))))))
(defun determiner-item () (comp (att) (contain syn (cat) (attvec syn ((cat d))))))
(defun nominal-item () (or (noun-item) (num-item) (adjective-item)))
(defun nominative-item () (comp (att) (and (contain syn (pron) (+pron)) (contain syn (case) (attvec syn ((case nom)))))))
(defun function-word-item ()
  (comp (att) (or (contain syn (node) (attvec syn ((node Punc)))) (contain syn (node) (attvec syn ((node Prep))))
                  (contain syn (cat) (attvec syn ((cat j)))) (contain syn (cat) (attvec syn ((cat c)))))))

;; Words, on a word.
(defun negation-word () (in ("not" "n't" "'t" "nt" "never")))

(def-rules english-rules
  ;; "to" before a word that cannot be a bare verb (nor punctuation) is a
  ;; preposition.
  (to-before-non-verb :act-on-all-matches
    (lexitem (and (comp (root) (str= to)) (aux-item) (not (no-alternative (not (aux-item))))))
    (when (and (followed-by (t)) (not (followed-by (base-verb-item))) (not (followed-by (punctuation-item)))
               (not (followed-by-word (in ("be" "not" "never")))))
      (delete (litem))))
  ;; A form of "be" before a participle is an auxiliary; before anything
  ;; that is neither participle nor adverb it heads its clause.
  (be-auxiliary-or-copula :act-on-all-matches
    (lexitem (and (comp (root) (str= be)) (or (aux-item) (cop-item))))
    (when (and (followed-by (t)) (not (followed-by-word (negation-word))) (not (followed-by (pronoun-item))))
      (if (followed-by (participle-item))
          (when (comp (litem) (and (cop-item) (not (no-alternative (aux-item))))) (delete (litem)))
          (when (and (comp (litem) (and (aux-item) (not (no-alternative (cop-item))))) (not (followed-by (adverb-item))))
            (delete (litem))))))
  ;; "have" before a past participle (or "not") is an auxiliary, otherwise
  ;; a main verb.
  (have-auxiliary-or-verb :act-on-all-matches
    (lexitem (and (comp (root) (in ("have" "has" "had" "having" "'ve" "ve" "haven" "hasn" "hadn")))
                  (or (aux-item) (lexical-verb-item))))
    (cond
      ((followed-by-word (negation-word))
       (when (comp (litem) (and (lexical-verb-item) (not (no-alternative (aux-item))))) (delete (litem))))
      ((followed-by (past-participle-item))
       (when (comp (litem) (and (lexical-verb-item) (not (no-alternative (aux-item))))) (delete (litem))))
      ((and (followed-by (t)) (not (followed-by (adverb-item))))
       (when (comp (litem) (and (aux-item) (not (no-alternative (lexical-verb-item))))) (delete (litem))))))
  ;; "do" before "not" is an auxiliary; before neither a bare verb nor a
  ;; pronoun it is a main verb.
  (do-auxiliary-or-verb :act-on-all-matches
    (lexitem (and (comp (root) (in ("do" "does" "did" "don" "doesn" "didn")))
                  (or (aux-item) (lexical-verb-item))))
    (cond
      ((followed-by-word (negation-word))
       (when (comp (litem) (and (lexical-verb-item) (not (no-alternative (aux-item))))) (delete (litem))))
      ((and (not (followed-by (base-verb-item))) (not (followed-by (pronoun-item))))
       (when (comp (litem) (and (aux-item) (not (no-alternative (lexical-verb-item))))) (delete (litem))))))
  ;; "there" before a verb is the expletive; before punctuation or a
  ;; function word, an adverb.
  (there-expletive-or-adverb :act-on-all-matches
    (lexitem (and (comp (root) (str= there)) (or (adverb-item) (pronoun-item))))
    (cond
      ((or (followed-by (verb-item)) (followed-by-word (in ("'s" "s"))))
       (when (comp (litem) (and (adverb-item) (not (no-alternative (pronoun-item))))) (delete (litem))))
      ((and (followed-by (t)) (not (followed-by (not (function-word-item)))))
       (when (comp (litem) (and (pronoun-item) (not (no-alternative (adverb-item))))) (delete (litem))))))
  ;; A demonstrative before no noun, number or adjective is a pronoun.
  (demonstrative-pronoun :act-on-all-matches
    (lexitem (and (comp (root) (in ("this" "that" "these" "those"))) (determiner-item)
                  (not (no-alternative (not (determiner-item))))))
    (when (not (followed-by (nominal-item))) (delete (litem))))
  ;; "that" after a noun introduces a relative clause: the pronoun.
  (relative-that :act-on-all-matches
    (lexitem (and (comp (root) (str= that)) (comp (att) (contain syn (cat) (attvec syn ((cat c)))))))
    (when (and (exist-lexitem (int -1) (comp (low) (-1)) (noun-item))
               (not (exist-lexitem (int -1) (comp (low) (-1)) (lexical-verb-item))))
      (delete (litem))))
  ;; "like" after a subject pronoun is the verb.
  (like-after-subject :act-on-all-matches
    (lexitem (and (comp (root) (str= like)) (comp (att) (or (contain syn (node) (attvec syn ((node Prep))))
                                                             (contain syn (cat) (attvec syn ((cat c))))))))
    (when (exist-lexitem (int -1) (comp (low) (-1)) (nominative-item)) (delete (litem))))
  ;; "am" after a number is the time of day, elsewhere a form of "be".
  (am-time-of-day :act-on-all-matches
    (lexitem (and (comp (root) (str= am)) (noun-item) (not (no-alternative (verb-item)))))
    (when (not (exist-lexitem (int -1) (comp (low) (-1)) (num-item))) (delete (litem))))
  (am-after-number :act-on-all-matches
    (lexitem (and (comp (root) (str= be)) (comp (surform) (str= am)) (not (no-alternative (noun-item)))))
    (when (exist-lexitem (int -1) (comp (low) (-1)) (num-item)) (delete (litem))))
  ;; "'s" after a pronoun is a verb, not the possessive marker.
  (clitic-after-pronoun :act-on-all-matches
    (lexitem (and (comp (root) (in ("'s" "s"))) (part-item) (not (no-alternative (not (part-item))))))
    (when (and (exist-lexitem (int -1) (comp (low) (-1)) (pronoun-item))
               (not (exist-lexitem (int -1) (comp (low) (-1)) (noun-item))))
      (delete (litem))))
  ;; After an article or a possessive a word is not a finite or bare verb;
  ;; after a subject pronoun it is not a noun.
  (verb-after-article :act-on-all-matches
    (seq :front-to-back (word (in ("the" "a" "an" "my" "your" "his" "its" "our" "their")))
         (lexitem (and (lexical-verb-item) (not (participle-item))
                       (not (no-alternative (or (noun-item) (adjective-item)))))))
    (delete (comp ($ 2) (litem))))
  (noun-after-subject-pronoun :act-on-all-matches
    (seq :front-to-back (word (in ("i" "we" "they" "he" "she")))
         (lexitem (and (noun-item) (not (no-alternative (lexical-verb-item))))))
    (delete (comp ($ 2) (litem))))
    ;; Quotes and brackets inside a sentence never block a merge: the chart
  ;; passes over them, and the conversion to UD attaches them. Commas and
  ;; other marks stay: they bound the phrases the chart may join.
  (punctuation-skipped :act-on-all-matches
    (lexitem (and (punctuation-item) (comp (root) (in ("\"" "'" "`" "``" "''" "(" ")" "[" "]" "-" "--" "*")))))
    (skip (low)))
  ;; A lexical verb prints as V whatever its frame (the chart reads the
  ;; frame from "args": V_N, V_C, ...).
  (verb-prints-as-v :act-on-all-matches
    (lexitem (lexical-verb-item))
    (comp (litem) (set-cate "V")))
)
