; Functions with dynamic scoping, and macros used as commands and as
; expressions.
(defmacro show (label e)
  (eval (if e (exec-commands (echo label true)) (exec-commands (echo label false)))))

(declare-var seen)
(defun remember (x) (setq seen (get-val x)))
(defun twice-remember (x) (remember (get-val x)) (remember (get-val x)))
(eval (twice-remember (t)))
(show parameter-value-reached-global (get-val seen))
(eval (setq seen (nil)))

; The caller's parameter is restored after the inner call returns.
(defun inner (x) (get-val x))
(defun outer (x) (prog (inner (nil)) (get-val x)))
(show outer-parameter-restored (outer (t)))

; A list parameter spreads its elements over lines: each becomes a command.
(defmacro each-line ((commands)) commands)
(each-line ((echo one) (echo two) (echo three)))

; A macro used as an expression; expanding to two forms yields a prog.
(defmacro both (a b) a b)
(show both-returns-second (both (t) (nil)))
(show both-returns-second-again (both (nil) (t)))

; Macros named in debug-macro show their expansions on standard error.
(debug-macro each-line)
(each-line ((echo four)))
(debug-macro)
(each-line ((echo five)))

; Wrong argument counts.
(eval (inner (t) (t)))
(both (echo six))
