;; Lexical rules of the English data: what an inflectional ending implies,
;; the roots of forms the lexicon lists on their own, and the readings of
;; unknown words. An item found through an ending keeps the reading of its
;; root only when the ending suits it; the rule then sets the features the
;; ending implies.

;; Readings an ending may inflect: plain nouns (not pronouns, names, numbers
;; or listed forms), lexical verbs, and adjectives and adverbs.
(defun inflectable-noun ()
  (and (contain syn (cat) (attvec syn ((cat n))))
       (not (defined syn (node)))
       (not (defined syn (lemma)))
       (not (contain syn (pron) (+pron)))
       (not (contain syn (proper) (+proper)))))
(defun inflectable-verb ()
  (and (contain syn (cat) (attvec syn ((cat v))))
       (not (defined syn (node)))
       (not (defined syn (lemma)))))
(defun gradable ()
  (and (contain syn (cat) (attvec syn ((cat a))))
       (not (defined syn (lemma)))))

;; Endings that lead a listed word to a false root (has: ha+s) come first:
;; the generator finds them in the treebank.
(load "en/false-roots.lsp")

(def-rules english-rules
  (plural-or-third-person :act-on-all-matches
    (lexitem (or (ending s) (ending es) (ending ies)))
    (cond
      ((comp (litem) (att) (inflectable-noun))
       (comp (litem) (att) (modify syn (attvec syn ((num pl) (person 3))))))
      ((comp (litem) (att) (inflectable-verb))
       (comp (litem) (att) (modify syn (attvec syn ((vform fin) (tense pres) (num sg) (person 3))))))
      ((t) (delete (litem)))))
  (past :act-on-all-matches
    (lexitem (or (ending ed) (ending ed_e) (ending ed_dbl) (ending ied)))
    (if (comp (litem) (att) (inflectable-verb))
        (comp (litem) (att) (modify syn (attvec syn ((vform fin en) (tense past)))))
        (delete (litem))))
  (present-participle :act-on-all-matches
    (lexitem (or (ending ing) (ending ing_e) (ending ing_dbl) (ending ying)))
    (if (comp (litem) (att) (inflectable-verb))
        (comp (litem) (att) (modify syn (attvec syn ((vform ing)))) (undefine syn (tense)))
        (delete (litem))))
  (comparative :act-on-all-matches
    (lexitem (or (ending er) (ending er_e) (ending er_dbl) (ending ier)))
    (if (comp (litem) (att) (gradable))
        (comp (litem) (att) (modify syn (attvec syn ((degree cmp)))))
        (delete (litem))))
  (superlative :act-on-all-matches
    (lexitem (or (ending est) (ending est_e) (ending est_dbl) (ending iest)))
    (if (comp (litem) (att) (gradable))
        (comp (litem) (att) (modify syn (attvec syn ((degree sup)))))
        (delete (litem))))
  ;; A form listed on its own (went, children, better) has its root in
  ;; "lemma".
  (listed-form-root :act-on-all-matches
    (lexitem (comp (att) (defined syn (lemma))))
    (set-lexitem-root (litem) (comp (litem) (att) (att-str-val lemma))))
  )

;; Unknown words: the classes and their rules are generated with the lexicon.
(load "en/unknown.lsp")

(def-rules english-rules
  ;; "US" written in capitals is the country, not the pronoun "us": it reads
  ;; as any capitalised word the lexicon does not know.
  (us-the-country :act-on-all-matches
    (lexitem (and (comp (att) (contain syn (pron) (+pron))) (comp (surform) (reg-match "U[.]?S[.]?$"))))
    (when (look-up (low) (high) (str "_allcap_")) (delete (litem))))
  ;; A guessed item is found under its class name; its root is the word.
  (guessed-root :act-on-all-matches
    (lexitem (comp (root) (str-prefix (str "_") (ident))))
    (set-lexitem-root (litem) (matching-word))))
