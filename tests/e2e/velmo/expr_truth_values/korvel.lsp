; Truth-value conventions of the connectives, shown through echo.
(defmacro show (label e)
  (eval (if e (exec-commands (echo label true)) (exec-commands (echo label false)))))

(show not-of-false-on-zero-input (not (nil)))
(show not-of-true (not (t)))
(show not-without-argument (not))
(show and-empty-on-zero (and))
(show and-all-true (and (t) (int 3)))
(show and-one-false (and (t) (nil) (t)))
(show or-empty-on-zero (or))
(show or-one-true (or (nil) (int 2)))
(show xor-two-true (xor (t) (t)))
(show xor-three-true (xor (t) (t) (t)))
(show xor-empty (xor))
(show if-without-branches (if (t)))
(show when-true-with-false-body (when (t) (nil)))
(show when-false (when (nil) (t)))
(show eq-same (eq (int 4) (int 4)))
(show eq-missing (eq (int 4)))
(show is-nil-on-zero (is-nil))

; prog1 keeps the first result although the body changes the variable.
(declare-var flag)
(show prog1-first (prog1 (get-val flag) (setq flag (t))))
(show flag-after (get-val flag))

; cond: the first clause whose condition holds.
(show cond-second (cond ((nil) (nil)) ((t) (t)) ((t) (nil))))
(show cond-none (cond ((nil) (t))))

; while whose body makes its own condition false.
(declare-var runs)
(eval (while (get-val runs (is-nil)) (setq runs (t)) (exec-commands (echo while body ran once))))

; foreach over texts: each text reaches the expression.
(foreach (alpha beta) :eval (exec-commands (echo foreach step)))
