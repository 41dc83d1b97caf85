# Pennova writing template (our own text)
id: 205
kind: high
category: 书信|Letters
name: 道歉信|Letter of apology
description: 适用于因失约、损坏物品或延误等原因向对方道歉的书信。首先真诚道歉，然后说明原因，再提出补救办法，最后请求谅解。
title: An Apology for [标题中的事由，如 Missing Our Meeting] || 为[标题中的事由，如 Missing Our Meeting]致歉

[block]
Dear [收信人，如 Tom], || 亲爱的[收信人，如 Tom]：

[block]
I am very sorry that [过失，如 I missed our meeting last Friday]. || 非常抱歉，[过失，如 I missed our meeting last Friday]。
I know I let you down, and I feel terrible about it. || 我知道我让你失望了，我感到非常难过。
[alternative]
Please accept my sincere apology for [过失，如 breaking the camera you lent me]. || 请接受我对[过失，如 breaking the camera you lent me]的诚挚歉意。
I feel really bad about it. || 我对此感到非常难过。

[block]
The reason is that [原因，如 I suddenly fell ill and had to go to the hospital]. || 原因是[原因，如 I suddenly fell ill and had to go to the hospital]。
I should have [本该做的事，如 called you at once], but [困难，如 my phone was out of power]. || 我本该[本该做的事，如 called you at once]，但[困难，如 my phone was out of power]。
[alternative]
It was my own fault, and I do not want to make any excuses. || 这是我自己的错，我不想找任何借口。
I should have been more careful. || 我本应该更小心一些。

[block]
To make up for it, I would like to [补救，如 invite you to dinner this weekend]. || 为了弥补，我想[补救，如 invite you to dinner this weekend]。
Please let me know when it is convenient for you. || 请告诉我你什么时候方便。
[alternative]
I will [补救，如 pay for the repair or buy you a new one]. || 我会[补救，如 pay for the repair or buy you a new one]。
I promise that this will not happen again. || 我保证这种事不会再发生。

[block]
I hope you can forgive me. || 希望你能原谅我。
Our friendship means a lot to me. || 我们的友谊对我来说很重要。

[block]
Yours, \n || 你的朋友，\n
[姓名，如 Li Hua] || [姓名，如 Li Hua]

[common]
I am terribly sorry for the trouble I have caused. || 给你带来的麻烦我非常抱歉。
I hope this has not caused you too much trouble. || 希望这没有给你带来太多麻烦。
It was not my intention to upset you. || 我并不是有意让你难过的。
I should have told you earlier. || 我应该早点告诉你的。
I feel guilty about what happened. || 我对所发生的事感到内疚。
I will do my best to make things right. || 我会尽最大努力来弥补。
Thank you for your patience and understanding. || 感谢你的耐心和理解。
I hope we can meet again soon. || 希望我们能很快再见面。
